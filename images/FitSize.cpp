#include "images/FitSize.h"

#include <algorithm>
#include <cmath>

namespace {

// Ties to even, whatever the floating-point rounding mode is.
int roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) {
        rounded = lower + 1.0;
    }
    return static_cast<int>(rounded);
}

} // namespace

PixelSize fitSize(PixelSize picture, PixelSize limit) {
    const int limitWidth = std::max(limit.width, 1);
    const int limitHeight = std::max(limit.height, 1);
    int w = picture.width;
    int h = picture.height;
    if (w >= limitWidth) {
        const double ratio = static_cast<double>(w) / limitWidth;
        w = limitWidth;
        h = std::max(roundHalfEven(h / ratio), 1);
    }
    if (h >= limitHeight) {
        const double ratio = static_cast<double>(h) / limitHeight;
        h = limitHeight;
        w = std::max(roundHalfEven(w / ratio), 1);
    }
    return {w, h};
}
