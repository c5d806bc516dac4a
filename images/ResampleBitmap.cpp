#include "images/ResampleBitmap.h"

#include "images/StreamingResampler.h"

#include <vector>

void ResampleBitmap(const Bitmap24& source, Bitmap24& destination, KernelFunction kernel,
                    float support, ResampleOptions options) {
    if (&source == &destination) {
        // The passes write destination rows while later source rows are still to be read.
        const Bitmap24 copy = source.clone();
        ResampleBitmap(copy, destination, kernel, support, options);
        return;
    }
    StreamingResampler resampler(source.width(), source.height(), kernel, support, destination,
                                 options);
    std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(source.height()));
    for (int y = 0; y < source.height(); ++y) {
        rows[static_cast<std::size_t>(y)] = source.row(y);
    }
    resampler.feedRetained(rows.data(), source.height());
    resampler.finish();
}
