#pragma once

#include "images/Bitmap24.h"

#include <cstdint>
#include <random>

// A picture of random bytes, with some pure black and white so that sums overshoot and clamp.
inline Bitmap24 randomPicture(int width, int height, std::mt19937& rng) {
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.row(y);
        for (int x = 0; x < width * 3; ++x) {
            const unsigned r = rng();
            row[x] = (r % 5 == 0) ? static_cast<std::uint8_t>((r >> 8) % 2 * 255)
                                  : static_cast<std::uint8_t>(r >> 8);
        }
    }
    return picture;
}

// A picture whose every byte is `value`.
inline Bitmap24 filledPicture(int width, int height, std::uint8_t value) {
    Bitmap24 picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * 3; ++x) {
            picture.row(y)[x] = value;
        }
    }
    return picture;
}
