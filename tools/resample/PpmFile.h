#pragma once

// Binary PPM (P6, maxval 255) files. The three bytes of each pixel are kept in the order the
// file has them; the resampler treats them alike.

#include "images/Bitmap24.h"

#include <cstdint>
#include <stdexcept>
#include <string>

// A file that cannot be read or written as PPM; what() is the one-line reason.
class PpmError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Comments may stand wherever the header allows white space. A header that is not a P6 header
// with maxval 255, or pixel data shorter than the header declares, is refused before the
// pixels' memory is taken.
Bitmap24 readPpm(const std::string& path);

// Writes the bitmap's bytes in their order, or with each pixel's first and third byte swapped
// (a bitmap of blue, green, red becomes a PPM of red, green, blue). A file that cannot be
// written completely is removed.
void writePpm(const std::string& path, const Bitmap24& bitmap, bool swapFirstAndThird);
