// The JPEG decoder streaming into the resampler, as the image window fits a picture, turned as its
// Exif orientation tag says: any bytes decode or fail with the decoder's or the resampler's
// error, within the memory budget.

#include "images/DecodeAndFit.h"
#include "images/ResampleBitmap.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint64_t budget = std::uint64_t{256} << 20;
    // Pictures up to the decoder's bound take time in proportion to their pixels, a few seconds
    // for the largest under the sanitizers: the target decodes those of at most 16 Mi pixels, so
    // that every input takes milliseconds, and leaves larger ones to the decoder to refuse.
    constexpr std::uint64_t largestDecoded = std::uint64_t{1} << 24;
    try {
        JpegDecoder decoder = JpegDecoder::openMemory({data, size});
        const std::uint64_t pixels = static_cast<std::uint64_t>(decoder.width()) *
                                     static_cast<std::uint64_t>(decoder.height());
        if (pixels > largestDecoded && pixels <= maxJpegPixels) {
            return 0;
        }
        const PixelSize fitted = fitSize(decoder.shownSize(), {96, 64});
        decodeResampled(decoder, fitted, lanczos3Kernel, 3.0f, {.threads = 1}, budget);
    } catch (const JpegError&) {
    } catch (const ResampleError&) {
    }
    return 0;
}
