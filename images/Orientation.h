#pragma once

// How the rows a camera stored are turned to give the picture as it is meant to be seen. Phones
// and cameras store a portrait as a landscape picture lying on its side, with a tag saying which
// way to turn it (the Exif orientation, whose values 1 to 8 these are).

#include "images/Bitmap24.h"
#include "images/FitSize.h"

#include <cstdint>

enum class Orientation : std::uint8_t {
    Normal = 1,                 // as stored
    Mirrored = 2,               // left and right swapped
    UpsideDown = 3,             // a half turn
    UpsideDownMirrored = 4,     // top and bottom swapped
    Transposed = 5,             // stored rows become columns, left to right
    TurnedClockwise = 6,        // a quarter turn clockwise
    Transversed = 7,            // stored rows become columns, right to left, bottom to top
    TurnedCounterClockwise = 8, // a quarter turn counter-clockwise
};

// Whether the orientation makes the stored rows columns, swapping width and height.
bool swapsSides(Orientation orientation);

// The size of a stored picture of `stored` pixels as it is seen.
PixelSize turnedSize(PixelSize stored, Orientation orientation);

// Rows first, first + 1, ..., first + count - 1 of `stored` as it is seen, written to rows[0],
// rows[1], ... (each turnedSize(...).width pixels of 3 bytes).
void copyTurnedRows(const Bitmap24& stored, Orientation orientation, int first, int count,
                    std::uint8_t* const* rows);

// The whole picture as it is seen, in a new bitmap.
Bitmap24 turnedPicture(const Bitmap24& stored, Orientation orientation);
