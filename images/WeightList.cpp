#include "images/WeightList.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

// As in the kernels, expressions are evaluated in extended precision and rounded to a float
// where a 32-bit quantity is stored: the scale, the centre m, reach, f, the kernel's argument
// and each weight.
namespace {
using Extended = long double;
float toFloat(Extended v) {
    return static_cast<float>(v);
}

// The float nearest to a / b as toFloat(Extended{a} / b) gives it, for a and b held exactly in
// doubles. Both round the exact quotient twice, first to 64 or 53 bits, then to 24; the second
// rounding gives the float nearest the exact quotient unless the first one landed exactly on
// the midpoint between two floats, or the quotient is below the normal floats. Double
// precision shows when that may be, and the quotient is then formed in extended precision.
float quotientToFloat(double a, double b) {
    const double q = a / b;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &q, sizeof bits);
    constexpr std::uint64_t beyondFloat = (std::uint64_t{1} << 29) - 1; // bits a float lacks
    constexpr std::uint64_t midpoint = std::uint64_t{1} << 28;
    if (q == 0.0 || ((bits & beyondFloat) != midpoint && std::fabs(q) >= 0x1p-126)) {
        return static_cast<float>(q);
    }
    return toFloat(Extended{a} / b);
}

// Room for all the entries at once, so that the block is not copied as it grows: a list has
// about 2 * reach + 1 entries (within reason: a huge support mostly meets zero weights).
std::size_t entriesToReserve(int destinationSize, int sourceSize, float reach) {
    const double perList = std::min(2.0 * reach + 3.0, 2.0 * sourceSize + 1.0);
    return static_cast<std::size_t>(
        std::min(static_cast<double>(destinationSize) * perList, double{1 << 20}));
}
} // namespace

float resampleReach(float scale, float support) {
    return scale < 1.0f ? toFloat(support / Extended{scale}) : support;
}

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

std::size_t WeightLists::memoryEstimate(int destinationSize, int sourceSize, float support) {
    if (sourceSize < 1 || destinationSize < 0) {
        return 0;
    }
    const float reach = resampleReach(resampleScale(destinationSize, sourceSize), support);
    return entriesToReserve(destinationSize, sourceSize, reach) * sizeof(PixelWeight) +
           (3 * static_cast<std::size_t>(destinationSize) + 1) * sizeof(std::int32_t);
}

WeightLists::WeightLists(int destinationSize, int sourceSize, KernelFunction kernel, float support,
                         std::pmr::memory_resource* memory)
    : offsets_(memory), entries_(memory), low_(memory), high_(memory) {
    if (sourceSize < 1 || destinationSize < 0) {
        throw std::invalid_argument("WeightLists: bad size");
    }
    scale_ = resampleScale(destinationSize, sourceSize);
    const bool centred = destinationSize == 1 && sourceSize > 1;
    const bool shrinking = scale_ < 1.0f;
    const float reach = resampleReach(scale_, support);
    const float f = shrinking ? toFloat(1.0L / scale_) : 1.0f;

    entries_.reserve(entriesToReserve(destinationSize, sourceSize, reach));
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
        // When shrinking, m is 0 or at least 1/2 (i / scale with scale < 1, or the middle of a
        // source of two pixels or more), so its last bit is worth at least 2^-24; with |j| below
        // 2^24, m - j needs at most 49 bits and is exact in a double. The quotients then come
        // from double precision at a fraction of the cost (see quotientToFloat).
        const bool inDouble = shrinking && std::max(std::abs(left), std::abs(right)) < (1 << 24);
        for (std::int64_t j = left; j <= right; ++j) {
            float weight = 0.0f;
            if (inDouble) {
                const double distance = double{m} - static_cast<double>(j);
                weight = quotientToFloat(kernel(quotientToFloat(distance, f)), f);
            } else {
                const Extended distance = Extended{m} - Extended(j);
                weight = shrinking ? toFloat(kernel(toFloat(distance / f)) / Extended{f})
                                   : kernel(toFloat(distance));
            }
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
