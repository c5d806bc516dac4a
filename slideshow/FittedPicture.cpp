#include "slideshow/FittedPicture.h"

#include "images/DecodeAndFit.h"
#include "images/ZeroedBlock.h"
#include "platform/ScreenInfo.h"

#include <QFile>
#include <QImage>
#include <cmath>
#include <memory>
#include <new>

namespace tickwell {

namespace {

constexpr int screenMargin = 100;

// One row of blue, green, red bytes as the 32-bit pixels 0xffRRGGBB the window system takes.
void toScreenPixels(const std::uint8_t* bgr, std::uint32_t* pixels, int width) {
    for (int x = 0; x < width; ++x, bgr += 3) {
        pixels[x] = 0xff000000u | std::uint32_t{bgr[2]} << 16 | std::uint32_t{bgr[1]} << 8 | bgr[0];
    }
}

void freeBlock(void* block) {
    delete static_cast<ZeroedBlock*>(block);
}

// The fitted picture in the window system's own pixel format, so that painting it is a plain
// copy. Its memory comes in huge pages, as the fitted picture's does: written for the first
// time here, a picture's worth of ordinary pages would cost well over a thousand page faults,
// which on a virtual machine take longer than fitting the picture's last strips.
QImage screenImage(const Bitmap24& fitted) {
    const qsizetype rowBytes = qsizetype{fitted.width()} * 4;
    auto block = std::make_unique<ZeroedBlock>(allocateZeroed(
        static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(fitted.height())));
    std::uint8_t* pixels = block->get();
    for (int y = 0; y < fitted.height(); ++y) {
        toScreenPixels(fitted.row(y), reinterpret_cast<std::uint32_t*>(pixels + y * rowBytes),
                       fitted.width());
    }
    QImage image(pixels, fitted.width(), fitted.height(), rowBytes, QImage::Format_RGB32, freeBlock,
                 block.get());
    if (image.isNull()) {
        throw std::bad_alloc();
    }
    block.release(); // the image frees it
    return image;
}

} // namespace

PixelSize pictureLimit(const ScreenInfo& screen) {
    const QSize device = (QSizeF(screen.primaryScreenSize()) * screen.devicePixelRatio()).toSize();
    return {device.width() - screenMargin, device.height() - screenMargin};
}

QPixmap fittedPicture(const QString& path, const ScreenInfo& screen) {
    // The fitted rows go as soon as they are converted.
    QImage image =
        screenImage(decodeAndFit(QFile::encodeName(path).toStdString(), pictureLimit(screen)));
    // The pixmap takes the image's pixels as they are, without a copy.
    QPixmap picture = QPixmap::fromImage(std::move(image), Qt::NoFormatConversion);
    picture.setDevicePixelRatio(screen.devicePixelRatio());
    return picture;
}

QSize shownSize(const QPixmap& picture) {
    const qreal ratio = picture.devicePixelRatio();
    return {static_cast<int>(std::ceil(picture.width() / ratio)),
            static_cast<int>(std::ceil(picture.height() / ratio))};
}

} // namespace tickwell
