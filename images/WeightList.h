#pragma once

#include "images/Kernels.h"

#include <cstdint>
#include <memory_resource>
#include <vector>

// One contribution to a destination pixel: a source index along one axis and its weight.
struct PixelWeight {
    std::int32_t pixel;
    float weight;
};

// The contributions to one destination column (or row), in increasing order of the unmirrored
// source position; zero weights are left out. A view into the WeightLists that owns it.
struct WeightList {
    std::int32_t count = 0;
    const PixelWeight* weights = nullptr;
};

// The scale from source to destination along one axis, as a float: (d - 1) / (s - 1), or d / s
// for a source of one pixel. A destination of one pixel from a larger source has no such
// mapping; it is given the scale 1 / s (see WeightLists).
float resampleScale(int destinationSize, int sourceSize);

// How far from its centre a list reaches, in source pixels: the kernel's support, widened by
// 1 / scale when shrinking (scale < 1).
float resampleReach(float scale, float support);

// Brings any position j back inside a source of n pixels (n >= 1) by mirroring it, as often as
// needed, at the left border (p = -j) and the right border (p = 2n - 1 - j). The two mirrors
// together repeat with a period of 2n - 1, so this takes constant time.
std::int32_t mirrorIndex(std::int64_t j, std::int32_t n);

// The weight lists of every destination index along one axis, stored in one block.
//
// Destination index i is centred on source position m = i / scale; the kernel is widened by
// 1 / scale when shrinking. A destination of one pixel from a source of n > 1 pixels, which
// has no first-to-first mapping, is centred on the middle of the source, m = (n - 1) / 2, with
// scale 1 / n: its single pixel is a kernel-weighted average over the whole source. This is
// the same rule that a one-pixel source gives (scale d / 1, centre 0). A destination of size 0
// has no lists.
class WeightLists {
public:
    // Throws std::invalid_argument if sourceSize < 1 or destinationSize < 0. The lists are kept
    // in `memory`.
    WeightLists(int destinationSize, int sourceSize, KernelFunction kernel, float support,
                std::pmr::memory_resource* memory = std::pmr::get_default_resource());

    // A generous bound on the bytes that lists of these sizes and support take.
    static std::size_t memoryEstimate(int destinationSize, int sourceSize, float support);

    int size() const { return static_cast<int>(offsets_.size()) - 1; }
    WeightList operator[](int i) const {
        return {offsets_[i + 1] - offsets_[i], entries_.data() + offsets_[i]};
    }
    float scale() const { return scale_; }
    // The longest list.
    int maxCount() const { return maxCount_; }
    // The smallest and largest source index that list i reads (0 and -1 for an empty list).
    int lowestPixel(int i) const { return low_[i]; }
    int highestPixel(int i) const { return high_[i]; }
    // The lists in raw form: list i is entryData()[offsetData()[i] .. offsetData()[i + 1]).
    const std::int32_t* offsetData() const { return offsets_.data(); }
    const PixelWeight* entryData() const { return entries_.data(); }

private:
    float scale_ = 0;
    int maxCount_ = 0;
    std::pmr::vector<std::int32_t> offsets_;
    std::pmr::vector<PixelWeight> entries_;
    std::pmr::vector<std::int32_t> low_;
    std::pmr::vector<std::int32_t> high_;
};
