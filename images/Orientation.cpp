#include "images/Orientation.h"

#include <cstring>
#include <vector>

namespace {

// Where the pixels of the turned picture lie in the stored one: the byte offset of its top-left
// pixel, and the steps in bytes to the next pixel of a row and to the next row.
struct Walk {
    std::ptrdiff_t origin;
    std::ptrdiff_t pixelStep;
    std::ptrdiff_t rowStep;
};

Walk walkFor(const Bitmap24& stored, Orientation orientation) {
    constexpr std::ptrdiff_t pixel = Bitmap24::bytesPerPixel;
    const std::ptrdiff_t row = stored.stride();
    const std::ptrdiff_t right = (stored.width() - 1) * pixel;
    const std::ptrdiff_t bottom = (stored.height() - 1) * row;
    switch (orientation) {
    case Orientation::Mirrored:
        return {right, -pixel, row};
    case Orientation::UpsideDown:
        return {bottom + right, -pixel, -row};
    case Orientation::UpsideDownMirrored:
        return {bottom, pixel, -row};
    case Orientation::Transposed:
        return {0, row, pixel};
    case Orientation::TurnedClockwise:
        return {bottom, -row, pixel};
    case Orientation::Transversed:
        return {bottom + right, -row, -pixel};
    case Orientation::TurnedCounterClockwise:
        return {right, row, -pixel};
    case Orientation::Normal:
        break;
    }
    return {0, pixel, row};
}

} // namespace

bool swapsSides(Orientation orientation) {
    return static_cast<int>(orientation) >= static_cast<int>(Orientation::Transposed);
}

PixelSize turnedSize(PixelSize stored, Orientation orientation) {
    return swapsSides(orientation) ? PixelSize{stored.height, stored.width} : stored;
}

void copyTurnedRows(const Bitmap24& stored, Orientation orientation, int first, int count,
                    std::uint8_t* const* rows) {
    if (count <= 0 || stored.width() == 0 || stored.height() == 0) {
        return;
    }
    const Walk walk = walkFor(stored, orientation);
    const int width = turnedSize({stored.width(), stored.height()}, orientation).width;
    const std::uint8_t* origin = stored.row(0) + walk.origin + first * walk.rowStep;
    if (!swapsSides(orientation)) {
        // Each turned row is a stored row, read forwards or backwards.
        for (int r = 0; r < count; ++r) {
            const std::uint8_t* from = origin + r * walk.rowStep;
            if (walk.pixelStep > 0) {
                std::memcpy(rows[r], from, static_cast<std::size_t>(width) * 3);
                continue;
            }
            for (int x = 0; x < width; ++x) {
                std::memcpy(rows[r] + x * 3, from + x * walk.pixelStep, 3);
            }
        }
        return;
    }
    // Each turned row is a stored column. Across the rows asked for, the pixels of one turned
    // column lie side by side in one stored row: reading them together reads the stored
    // picture row by row rather than jumping a whole row for every pixel.
    for (int x = 0; x < width; ++x) {
        const std::uint8_t* from = origin + x * walk.pixelStep;
        for (int r = 0; r < count; ++r) {
            std::memcpy(rows[r] + x * 3, from + r * walk.rowStep, 3);
        }
    }
}

Bitmap24 turnedPicture(const Bitmap24& stored, Orientation orientation) {
    const PixelSize size = turnedSize({stored.width(), stored.height()}, orientation);
    Bitmap24 turned(size.width, size.height);
    std::vector<std::uint8_t*> rows(static_cast<std::size_t>(size.height));
    for (int y = 0; y < size.height; ++y) {
        rows[static_cast<std::size_t>(y)] = turned.row(y);
    }
    copyTurnedRows(stored, orientation, 0, size.height, rows.data());
    return turned;
}
