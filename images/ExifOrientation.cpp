#include "images/ExifOrientation.h"

#include <cstddef>

namespace {

constexpr std::uint8_t kExifSignature[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t kTiffMagic = 42;
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kEntryBytes = 12;

// The TIFF structure after the signature, read in the byte order its header names. A read that
// would pass the end of the data fails.
class TiffReader {
public:
    explicit TiffReader(std::span<const std::uint8_t> tiff) : tiff_(tiff) {}

    // Reads the byte order mark; false for anything but "II" or "MM".
    bool readByteOrder() {
        if (tiff_.size() < 2 || tiff_[0] != tiff_[1] || (tiff_[0] != 'I' && tiff_[0] != 'M')) {
            return false;
        }
        bigEndian_ = tiff_[0] == 'M';
        return true;
    }

    bool u16(std::size_t at, std::uint16_t& value) const {
        if (at > tiff_.size() || tiff_.size() - at < 2) {
            return false;
        }
        value = bigEndian_ ? static_cast<std::uint16_t>(tiff_[at] << 8 | tiff_[at + 1])
                           : static_cast<std::uint16_t>(tiff_[at + 1] << 8 | tiff_[at]);
        return true;
    }

    bool u32(std::size_t at, std::uint32_t& value) const {
        std::uint16_t first = 0;
        std::uint16_t second = 0;
        if (!u16(at, first) || !u16(at + 2, second)) {
            return false;
        }
        value =
            bigEndian_ ? std::uint32_t{first} << 16 | second : std::uint32_t{second} << 16 | first;
        return true;
    }

private:
    std::span<const std::uint8_t> tiff_;
    bool bigEndian_ = false;
};

} // namespace

bool isExifPayload(std::span<const std::uint8_t> app1) {
    if (app1.size() < sizeof kExifSignature) {
        return false;
    }
    for (std::size_t i = 0; i < sizeof kExifSignature; ++i) {
        if (app1[i] != kExifSignature[i]) {
            return false;
        }
    }
    return true;
}

Orientation exifOrientation(std::span<const std::uint8_t> app1) {
    if (!isExifPayload(app1)) {
        return Orientation::Normal;
    }
    TiffReader tiff(app1.subspan(sizeof kExifSignature));
    std::uint16_t magic = 0;
    std::uint32_t directory = 0;
    std::uint16_t entries = 0;
    if (!tiff.readByteOrder() || !tiff.u16(2, magic) || magic != kTiffMagic ||
        !tiff.u32(4, directory) || !tiff.u16(directory, entries)) {
        return Orientation::Normal;
    }
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t entry = std::size_t{directory} + 2 + i * kEntryBytes;
        std::uint16_t tag = 0;
        std::uint16_t type = 0;
        std::uint32_t count = 0;
        std::uint16_t value = 0;
        if (!tiff.u16(entry, tag)) {
            break; // the directory runs past the end of the data
        }
        if (tag != kOrientationTag) {
            continue;
        }
        if (!tiff.u16(entry + 2, type) || !tiff.u32(entry + 4, count) ||
            !tiff.u16(entry + 8, value) || type != kShortType || count != 1 || value < 1 ||
            value > 8) {
            return Orientation::Normal;
        }
        return static_cast<Orientation>(value);
    }
    return Orientation::Normal;
}
