#include "DecodeAndFit.h"

#include "StreamingResampler.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

// Rows decoded per call and handed to the resampler at once: two of libjpeg's largest row
// groups, so each call has whole groups to give and the strip stays small.
constexpr int kStripRows = 32;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::uint64_t bitmapBytes(int width, int height) {
    return static_cast<std::uint64_t>(Bitmap24::strideFor(width)) *
           static_cast<std::uint64_t>(std::max(height, 0));
}

} // namespace

Bitmap24 decodeResampled(JpegDecoder& decoder, PixelSize size, KernelFunction kernel, float support,
                         ResampleOptions options, std::uint64_t memoryBudget,
                         DecodeResampleTimes* times) {
    DecodeResampleTimes spent;
    const int width = decoder.width();
    const int height = decoder.height();
    const int stripRows = std::min(kStripRows, height);

    // What is held besides libjpeg's own memory: the result, one strip, and at most the
    // resampler's whole work image (destination width x source height); the streaming
    // resampler keeps only the part of it that destination rows still need.
    const std::uint64_t held = bitmapBytes(size.width, size.height) +
                               bitmapBytes(width, stripRows) + bitmapBytes(size.width, height);
    auto started = Clock::now();
    decoder.start(held, memoryBudget);
    spent.decodeMs += millisecondsSince(started);

    started = Clock::now();
    Bitmap24 result(size.width, size.height);
    StreamingResampler resampler(width, height, kernel, support, result, options);
    spent.resampleMs += millisecondsSince(started);

    Bitmap24 strip(width, stripRows);
    std::vector<std::uint8_t*> rows(static_cast<std::size_t>(stripRows));
    for (int y = 0; y < stripRows; ++y) {
        rows[static_cast<std::size_t>(y)] = strip.row(y);
    }
    while (decoder.rowsRead() < height) {
        started = Clock::now();
        const int count =
            decoder.readRows(rows.data(), std::min(stripRows, height - decoder.rowsRead()));
        spent.decodeMs += millisecondsSince(started);

        started = Clock::now();
        resampler.feed(rows.data(), count);
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
