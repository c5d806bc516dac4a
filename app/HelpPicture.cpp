#include "app/HelpPicture.h"

#include "images/JpegDecoder.h"
#include "resources/ResourcePaths.h"

#include <QFile>
#include <cstring>
#include <span>

namespace tickwell {

QImage helpPicture() {
    QFile file(QString::fromLatin1(resources::helpPicture));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    try {
        JpegDecoder decoder = JpegDecoder::openMemory(
            std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                          static_cast<std::size_t>(bytes.size())));
        const Bitmap24 bitmap = decodeJpeg(decoder);
        // The decoder's rows are blue, green, red: Qt's BGR888.
        QImage image(bitmap.width(), bitmap.height(), QImage::Format_BGR888);
        const auto rowBytes = static_cast<std::size_t>(bitmap.width()) * Bitmap24::bytesPerPixel;
        for (int y = 0; y < bitmap.height(); ++y) {
            std::memcpy(image.scanLine(y), bitmap.row(y), rowBytes);
        }
        return image;
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace tickwell
