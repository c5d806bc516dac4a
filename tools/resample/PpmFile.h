#pragma once

// Binary PPM (P6, maxval 255) files. The three bytes of each pixel are kept in the order the
// file has them; the resampler treats them alike.

#include "images/Bitmap24.h"
#include "images/FitSize.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

// A file that cannot be read or written as PPM; what() is the one-line reason.
class PpmError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a PPM in two steps, so that the caller can weigh the memory a picture needs before any
// of it is taken: the header when the reader is made, the pixels when asked.
class PpmReader {
public:
    // Opens the file (a regular file only, without blocking) and reads its header: comments may
    // stand wherever the header allows white space. A header that is not a P6 header with maxval
    // 255, a side longer than maxPictureSide, or pixel data shorter than the header declares is
    // refused here.
    explicit PpmReader(const std::string& path);
    // For a stream already open (one on memory, say); `size` is its length. The caller closes it.
    PpmReader(std::FILE* file, std::uint64_t size, const std::string& name);

    PixelSize size() const { return size_; }

    // The pixels, in a new bitmap.
    Bitmap24 read();

    // Closes a stream the reader or writer opened itself.
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

private:
    void readHeader(std::uint64_t fileSize);

    std::unique_ptr<std::FILE, Closer> owned_;
    std::FILE* file_;
    std::string name_;
    PixelSize size_;
};

// Writes the bitmap's bytes in their order, or with each pixel's first and third byte swapped
// (a bitmap of blue, green, red becomes a PPM of red, green, blue). A file that cannot be
// written completely is removed.
void writePpm(const std::string& path, const Bitmap24& bitmap, bool swapFirstAndThird);
