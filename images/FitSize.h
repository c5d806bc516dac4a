#pragma once

// The size at which a picture is shown: fitted into a limit (the screen less a margin) with its
// aspect ratio kept.

// The longest side of a picture the program handles, as JPEG files allow at most 65,535 (libjpeg
// itself stops at 65,500): every offset into a row or column then fits comfortably in 32 bits.
inline constexpr int maxPictureSide = 65535;

struct PixelSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Starting from the picture's size: a width at or above the limit's becomes the limit's width
// and the height shrinks by the same ratio; then a height at or above the limit's becomes the
// limit's height and the width shrinks likewise. Sizes are rounded to the nearest integer, ties
// to even. A picture below the limit in both directions keeps its size.
//
// Beyond that rule, every dimension of the result is at least 1 (a 65500 x 1 strip would
// otherwise fit to a height of 0, leaving nothing to show), and a limit below 1 counts as 1.
PixelSize fitSize(PixelSize picture, PixelSize limit);
