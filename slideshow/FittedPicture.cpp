#include "slideshow/FittedPicture.h"

#include "images/DecodeAndFit.h"
#include "platform/ScreenInfo.h"

#include <QFile>
#include <QImage>
#include <cmath>

namespace tickwell {

namespace {
constexpr int screenMargin = 100;
} // namespace

PixelSize pictureLimit(const ScreenInfo& screen) {
    const QSize device = (QSizeF(screen.primaryScreenSize()) * screen.devicePixelRatio()).toSize();
    return {device.width() - screenMargin, device.height() - screenMargin};
}

QPixmap fittedPicture(const QString& path, const ScreenInfo& screen) {
    QImage image;
    {
        const Bitmap24 fitted =
            decodeAndFit(QFile::encodeName(path).toStdString(), pictureLimit(screen));
        // Blue, green, red rows as they are; the converted image owns its pixels, so the
        // bitmap can go at once.
        const QImage rows(fitted.row(0), fitted.width(), fitted.height(),
                          static_cast<qsizetype>(fitted.stride()), QImage::Format_BGR888);
        image = rows.convertToFormat(QImage::Format_RGB32);
    }
    if (image.isNull()) {
        throw std::bad_alloc();
    }
    QPixmap picture = QPixmap::fromImage(std::move(image));
    picture.setDevicePixelRatio(screen.devicePixelRatio());
    return picture;
}

QSize shownSize(const QPixmap& picture) {
    const qreal ratio = picture.devicePixelRatio();
    return {static_cast<int>(std::ceil(picture.width() / ratio)),
            static_cast<int>(std::ceil(picture.height() / ratio))};
}

} // namespace tickwell
