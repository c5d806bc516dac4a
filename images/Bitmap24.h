#pragma once

#include "images/ZeroedBlock.h"

#include <cstddef>
#include <cstdint>

// A 24-bit picture: rows of 3-byte pixels (blue, green, red), each row padded to a multiple of
// 4 bytes, as device-independent bitmaps are. Rows are reached directly through row(y).
// The pixel bytes of a new bitmap are zero. The bitmap is always 24 bits per pixel, so there
// is never a format to convert before reading or writing it.
class Bitmap24 {
public:
    static constexpr int bytesPerPixel = 3;

    Bitmap24() = default;
    // Throws std::invalid_argument for a negative size and std::bad_alloc when too large.
    Bitmap24(int width, int height);

    Bitmap24(Bitmap24&& other) noexcept;
    Bitmap24& operator=(Bitmap24&& other) noexcept;
    Bitmap24(const Bitmap24&) = delete;
    Bitmap24& operator=(const Bitmap24&) = delete;
    ~Bitmap24() = default;

    // A deep copy, padding included.
    Bitmap24 clone() const;

    int width() const { return width_; }
    int height() const { return height_; }
    // Bytes from the start of one row to the start of the next.
    std::ptrdiff_t stride() const { return stride_; }
    static std::ptrdiff_t strideFor(int width);
    // The bytes a bitmap of width x height takes, padding included (none for a negative height),
    // as the memory rules weigh it before anything is allocated.
    static std::uint64_t bytesFor(int width, int height);

    std::uint8_t* row(int y) { return data_.get() + y * stride_; }
    const std::uint8_t* row(int y) const { return data_.get() + y * stride_; }

    // Whether both bitmaps have the same size and the same pixel bytes (padding ignored).
    bool samePixels(const Bitmap24& other) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::ptrdiff_t stride_ = 0;
    ZeroedBlock data_;
};
