#include "WeightList.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

// As in the kernels, expressions are evaluated in extended precision and rounded to a float
// where a 32-bit quantity is stored: the scale, the centre m, reach, f, the kernel's argument
// and each weight.
namespace {
using Extended = long double;
float toFloat(Extended v) {
    return static_cast<float>(v);
}
} // namespace

float resampleScale(int destinationSize, int sourceSize) {
    if (sourceSize == 1) {
        return toFloat(Extended(destinationSize) / sourceSize);
    }
    if (destinationSize == 1) {
        return toFloat(1.0L / sourceSize);
    }
    if (destinationSize < 1) {
        return 0.0f;
    }
    return toFloat(Extended(destinationSize - 1) / (sourceSize - 1));
}

std::int32_t mirrorIndex(std::int64_t j, std::int32_t n) {
    if (j >= 0 && j < n) {
        return static_cast<std::int32_t>(j);
    }
    // Mirroring at 0 and at n - 1/2 in turn is a shift by 2n - 1; within one period the
    // positions n .. 2n - 2 mirror back onto n - 1 .. 1.
    const std::int64_t period = 2 * std::int64_t{n} - 1;
    std::int64_t q = j % period;
    if (q < 0) {
        q += period;
    }
    return static_cast<std::int32_t>(q < n ? q : period - q);
}

WeightLists::WeightLists(int destinationSize, int sourceSize, KernelFunction kernel,
                         float support) {
    if (sourceSize < 1 || destinationSize < 0) {
        throw std::invalid_argument("WeightLists: bad size");
    }
    scale_ = resampleScale(destinationSize, sourceSize);
    const bool centred = destinationSize == 1 && sourceSize > 1;
    const bool shrinking = scale_ < 1.0f;
    const float reach = shrinking ? toFloat(support / Extended{scale_}) : support;
    const float f = shrinking ? toFloat(1.0L / scale_) : 1.0f;

    // A list has about 2 * reach + 1 entries: room for them all at once, so that the block is
    // not copied as it grows (within reason: a huge support mostly meets zero weights).
    const double perList = std::min(2.0 * reach + 3.0, 2.0 * sourceSize + 1.0);
    entries_.reserve(static_cast<std::size_t>(
        std::min(static_cast<double>(destinationSize) * perList, double{1 << 20})));
    offsets_.reserve(static_cast<std::size_t>(destinationSize) + 1);
    low_.reserve(static_cast<std::size_t>(destinationSize));
    high_.reserve(static_cast<std::size_t>(destinationSize));
    offsets_.push_back(0);
    for (int i = 0; i < destinationSize; ++i) {
        const float m =
            centred ? toFloat(Extended(sourceSize - 1) / 2.0L) : toFloat(Extended(i) / scale_);
        const auto left = static_cast<std::int64_t>(std::floor(Extended{m} - reach));
        const auto right = static_cast<std::int64_t>(std::ceil(Extended{m} + reach));
        std::int32_t low = sourceSize;
        std::int32_t high = -1;
        for (std::int64_t j = left; j <= right; ++j) {
            const Extended distance = Extended{m} - Extended(j);
            const float weight = shrinking ? toFloat(kernel(toFloat(distance / f)) / Extended{f})
                                           : kernel(toFloat(distance));
            if (weight == 0.0f) {
                continue;
            }
            const std::int32_t p = mirrorIndex(j, sourceSize);
            entries_.push_back({p, weight});
            low = std::min(low, p);
            high = std::max(high, p);
        }
        const auto count = static_cast<std::int32_t>(entries_.size()) - offsets_.back();
        maxCount_ = std::max(maxCount_, count);
        offsets_.push_back(static_cast<std::int32_t>(entries_.size()));
        low_.push_back(count > 0 ? low : 0);
        high_.push_back(high);
    }
}
