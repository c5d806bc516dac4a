#pragma once

// Decoding a JPEG picture and resampling it in one stream: the rows go to the resampler strip by
// strip as the decoder produces them, so the full-size picture is never held, and with several
// threads the resampler works on one strip while the next is decoded. A picture that must be
// turned to be seen is decoded whole first, and its turned rows go to the resampler.

#include "images/Bitmap24.h"
#include "images/FitSize.h"
#include "images/JpegDecoder.h"
#include "images/Kernels.h"
#include "images/ResampleOptions.h"

#include <cstdint>
#include <string>

// Where the time of a run went, in milliseconds. When decoding and resampling overlap the two
// can add up to more than the time the run took.
struct DecodeResampleTimes {
    double decodeMs = 0;
    double resampleMs = 0;
};

// Decodes the picture of a decoder that has read only its header, turns it as the decoder's
// orientation says, and resamples it to `size`. The result has the same bytes as decodeJpeg,
// turnedPicture and ResampleBitmap one after the other. Throws JpegError when decoding fails
// (also when the picture would not fit in `memoryBudget`) and ResampleError when resampling does.
Bitmap24 decodeResampled(JpegDecoder& decoder, PixelSize size, KernelFunction kernel, float support,
                         ResampleOptions options = {},
                         std::uint64_t memoryBudget = defaultJpegMemoryBudget(),
                         DecodeResampleTimes* times = nullptr);

// A picture as the image window shows it: the JPEG file at full scale, turned as its orientation
// tag says, fitted into `limit` by fitSize and resampled with the "Lanczos3" kernel at support 3.
Bitmap24 decodeAndFit(const std::string& path, PixelSize limit, ResampleOptions options = {});
