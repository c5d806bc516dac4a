#pragma once

#include "images/Bitmap24.h"
#include "images/Kernels.h"
#include "images/ResampleOptions.h"

#include <stdexcept>

// Raised when a picture cannot be resampled; what() is the text shown to the user.
class ResampleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Resizes `source` to the size of `destination` with `kernel` of the given support, in two
// separable passes (horizontal, then vertical), overwriting every destination pixel. Throws
// ResampleError("Source bitmap too small") for a source without pixels, before anything is
// written. The result does not depend on `options`.
void ResampleBitmap(const Bitmap24& source, Bitmap24& destination, KernelFunction kernel,
                    float support, ResampleOptions options = {});

// The same computation done the plain way, one pixel and one sum at a time, holding the whole
// work image: the model every faster path must match byte for byte.
void ResampleBitmapReference(const Bitmap24& source, Bitmap24& destination, KernelFunction kernel,
                             float support);
