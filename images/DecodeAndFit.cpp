#include "images/DecodeAndFit.h"

#include "images/StreamingResampler.h"

#include <algorithm>
#include <chrono>

namespace {

// Rows asked of the decoder at a time: at most this many, and never past the end of one of
// the resampler's strips.
constexpr int kRowsPerRead = 32;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

Bitmap24 decodeResampled(JpegDecoder& decoder, PixelSize size, KernelFunction kernel, float support,
                         ResampleOptions options, std::uint64_t memoryBudget,
                         DecodeResampleTimes* times) {
    DecodeResampleTimes spent;
    const int width = decoder.width();
    const int height = decoder.height();

    // What is held besides libjpeg's own memory: the result, the source rows in flight, and at
    // most the resampler's whole work image (destination width x source height); the streaming
    // resampler keeps only the part of it that destination rows still need.
    const std::uint64_t held = Bitmap24::bytesFor(size.width, size.height) +
                               Bitmap24::bytesFor(width, kRowsPerRead) +
                               Bitmap24::bytesFor(size.width, height);
    auto started = Clock::now();
    decoder.start(held, memoryBudget);
    spent.decodeMs += millisecondsSince(started);

    started = Clock::now();
    Bitmap24 result(size.width, size.height);
    StreamingResampler resampler(width, height, kernel, support, result, options);
    spent.resampleMs += millisecondsSince(started);

    // The decoder writes straight into the resampler's row buffers: no copy of the scanlines.
    std::uint8_t* rows[kRowsPerRead];
    while (decoder.rowsRead() < height) {
        started = Clock::now();
        const int offered =
            resampler.beginRows(rows, std::min(kRowsPerRead, height - decoder.rowsRead()));
        spent.resampleMs += millisecondsSince(started);

        started = Clock::now();
        const int count = decoder.readRows(rows, offered);
        spent.decodeMs += millisecondsSince(started);

        started = Clock::now();
        resampler.commitRows(count);
        spent.resampleMs += millisecondsSince(started);
    }
    started = Clock::now();
    resampler.finish();
    spent.resampleMs += millisecondsSince(started);

    if (times != nullptr) {
        *times = spent;
    }
    return result;
}

Bitmap24 decodeAndFit(const std::string& path, PixelSize limit, ResampleOptions options) {
    JpegDecoder decoder = JpegDecoder::openFile(path);
    const PixelSize size = fitSize({decoder.width(), decoder.height()}, limit);
    return decodeResampled(decoder, size, lanczos3Kernel, 3.0f, options);
}
