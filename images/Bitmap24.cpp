#include "images/Bitmap24.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

std::ptrdiff_t Bitmap24::strideFor(int width) {
    return (static_cast<std::ptrdiff_t>(width) * bytesPerPixel + 3) & ~std::ptrdiff_t{3};
}

std::uint64_t Bitmap24::bytesFor(int width, int height) {
    return static_cast<std::uint64_t>(strideFor(width)) *
           static_cast<std::uint64_t>(std::max(height, 0));
}

Bitmap24::Bitmap24(int width, int height) : width_(width), height_(height) {
    if (width < 0 || height < 0) {
        throw std::invalid_argument("Bitmap24: negative size");
    }
    stride_ = strideFor(width);
    if (height > 0 && stride_ > std::numeric_limits<std::ptrdiff_t>::max() / height) {
        throw std::bad_alloc();
    }
    const std::size_t bytes = static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height);
    // Zeroed by the system, not filled: the pages are touched only once, when the pixels are
    // written, and those of a large picture come in huge pages (see ZeroedBlock).
    data_ = allocateZeroed(bytes);
}

Bitmap24::Bitmap24(Bitmap24&& other) noexcept
    : width_(std::exchange(other.width_, 0)), height_(std::exchange(other.height_, 0)),
      stride_(std::exchange(other.stride_, 0)), data_(std::move(other.data_)) {}

Bitmap24& Bitmap24::operator=(Bitmap24&& other) noexcept {
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    stride_ = std::exchange(other.stride_, 0);
    data_ = std::move(other.data_);
    return *this;
}

Bitmap24 Bitmap24::clone() const {
    Bitmap24 copy(width_, height_);
    if (data_) {
        std::memcpy(copy.data_.get(), data_.get(), static_cast<std::size_t>(stride_ * height_));
    }
    return copy;
}

bool Bitmap24::samePixels(const Bitmap24& other) const {
    if (width_ != other.width_ || height_ != other.height_) {
        return false;
    }
    const auto rowBytes = static_cast<std::size_t>(width_) * bytesPerPixel;
    if (rowBytes == 0) {
        return true; // no pixels, and no memory to compare
    }
    for (int y = 0; y < height_; ++y) {
        if (std::memcmp(row(y), other.row(y), rowBytes) != 0) {
            return false;
        }
    }
    return true;
}
