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

// The rows go to the resampler as the decoder produces them.
Bitmap24 decodeStreamed(JpegDecoder& decoder, PixelSize size, KernelFunction kernel, float support,
                        ResampleOptions options, std::uint64_t memoryBudget,
                        DecodeResampleTimes& spent) {
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
    return result;
}

// The whole stored picture is decoded first; its turned rows are then written straight into the
// resampler's row buffers, so the turned picture is never held whole besides the stored one.
Bitmap24 decodeTurned(JpegDecoder& decoder, PixelSize size, KernelFunction kernel, float support,
                      ResampleOptions options, std::uint64_t memoryBudget,
                      DecodeResampleTimes& spent) {
    const Orientation orientation = decoder.orientation();
    const PixelSize turned = decoder.shownSize();
    const std::uint64_t held = Bitmap24::bytesFor(decoder.width(), decoder.height()) +
                               Bitmap24::bytesFor(size.width, size.height) +
                               Bitmap24::bytesFor(turned.width, kRowsPerRead) +
                               Bitmap24::bytesFor(size.width, turned.height);
    auto started = Clock::now();
    decoder.start(held, memoryBudget);
    const Bitmap24 stored = decoder.readPicture();
    spent.decodeMs += millisecondsSince(started);

    started = Clock::now();
    Bitmap24 result(size.width, size.height);
    StreamingResampler resampler(turned.width, turned.height, kernel, support, result, options);
    std::uint8_t* rows[kRowsPerRead];
    for (int y = 0; y < turned.height;) {
        const int count = resampler.beginRows(rows, std::min(kRowsPerRead, turned.height - y));
        copyTurnedRows(stored, orientation, y, count, rows);
        resampler.commitRows(count);
        y += count;
    }
    resampler.finish();
    spent.resampleMs += millisecondsSince(started);
    return result;
}

} // namespace

Bitmap24 decodeResampled(JpegDecoder& decoder, PixelSize size, KernelFunction kernel, float support,
                         ResampleOptions options, std::uint64_t memoryBudget,
                         DecodeResampleTimes* times) {
    DecodeResampleTimes spent;
    Bitmap24 result =
        decoder.orientation() == Orientation::Normal
            ? decodeStreamed(decoder, size, kernel, support, options, memoryBudget, spent)
            : decodeTurned(decoder, size, kernel, support, options, memoryBudget, spent);
    if (times != nullptr) {
        *times = spent;
    }
    return result;
}

Bitmap24 decodeAndFit(const std::string& path, PixelSize limit, ResampleOptions options) {
    JpegDecoder decoder = JpegDecoder::openFile(path);
    const PixelSize size = fitSize(decoder.shownSize(), limit);
    return decodeResampled(decoder, size, lanczos3Kernel, 3.0f, options);
}
