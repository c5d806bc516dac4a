#include "images/WeightList.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<int, float>> entries(const WeightList& list) {
    std::vector<std::pair<int, float>> out;
    for (int k = 0; k < list.count; ++k) {
        out.emplace_back(list.weights[k].pixel, list.weights[k].weight);
    }
    return out;
}

std::vector<int> pixels(const WeightList& list) {
    std::vector<int> out;
    for (int k = 0; k < list.count; ++k) {
        out.push_back(list.weights[k].pixel);
    }
    return out;
}

// The lists written out as defined, every expression in extended precision and rounded to a
// float where a 32-bit quantity is stored.
std::vector<std::vector<std::pair<int, float>>> definedLists(int d, int n, KernelFunction kernel,
                                                             float support) {
    using Extended = long double;
    const float scale = resampleScale(d, n);
    const bool shrinking = scale < 1.0f;
    const float reach = shrinking ? static_cast<float>(support / Extended{scale}) : support;
    const float f = shrinking ? static_cast<float>(1.0L / scale) : 1.0f;
    std::vector<std::vector<std::pair<int, float>>> lists(static_cast<std::size_t>(d));
    for (int i = 0; i < d; ++i) {
        const float m = d == 1 && n > 1 ? static_cast<float>(Extended(n - 1) / 2.0L)
                                        : static_cast<float>(Extended(i) / scale);
        const auto left = static_cast<long long>(std::floor(Extended{m} - reach));
        const auto right = static_cast<long long>(std::ceil(Extended{m} + reach));
        for (long long j = left; j <= right; ++j) {
            const Extended distance = Extended{m} - Extended(j);
            const float weight =
                shrinking
                    ? static_cast<float>(kernel(static_cast<float>(distance / f)) / Extended{f})
                    : kernel(static_cast<float>(distance));
            if (weight != 0.0f) {
                lists[static_cast<std::size_t>(i)].emplace_back(mirrorIndex(j, n), weight);
            }
        }
    }
    return lists;
}

// Bit for bit: -0 and +0 differ, and so would any other rounding.
bool sameBits(const WeightLists& lists,
              const std::vector<std::vector<std::pair<int, float>>>& defined) {
    for (int i = 0; i < lists.size(); ++i) {
        const auto& expected = defined[static_cast<std::size_t>(i)];
        if (lists[i].count != static_cast<int>(expected.size())) {
            return false;
        }
        for (int k = 0; k < lists[i].count; ++k) {
            const auto& [pixel, weight] = expected[static_cast<std::size_t>(k)];
            if (lists[i].weights[k].pixel != pixel ||
                std::memcmp(&lists[i].weights[k].weight, &weight, sizeof weight) != 0) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(WeightLists, EqualTheDefinitionBitForBit) {
    // The lists are built in double precision where that gives the same floats; compare with
    // the definition for every kernel on random sizes, mostly shrinking, and on the sizes a
    // 6000 x 4000 photo is fitted to.
    std::mt19937 rng(77);
    const auto randomSize = [&](int low, int high) {
        return low + static_cast<int>(rng() % static_cast<unsigned>(high - low + 1));
    };
    for (const auto& entry : KernelTable) {
        for (int round = 0; round < 40; ++round) {
            const int n = randomSize(1, round < 30 ? 600 : 40);
            const int d = round < 30 ? randomSize(1, n) : randomSize(1, 120);
            ASSERT_TRUE(sameBits(WeightLists(d, n, entry.kernel, entry.support),
                                 definedLists(d, n, entry.kernel, entry.support)))
                << entry.name << " " << n << " -> " << d;
        }
    }
    for (const auto& [n, d] : {std::pair{6000, 1470}, {4000, 980}, {6000, 1820}, {4000, 1213}}) {
        EXPECT_TRUE(sameBits(WeightLists(d, n, lanczos3Kernel, 3.0f),
                             definedLists(d, n, lanczos3Kernel, 3.0f)))
            << n << " -> " << d;
    }
}

TEST(WeightLists, ScaleMapsFirstAndLastPixelsOntoEachOther) {
    EXPECT_EQ(resampleScale(2, 3), 0.5f); // (2 - 1) / (3 - 1)
    EXPECT_EQ(resampleScale(3, 2), 2.0f); // (3 - 1) / (2 - 1)
    EXPECT_EQ(resampleScale(7, 7), 1.0f);
    EXPECT_EQ(resampleScale(5, 1), 5.0f); // one-pixel source: 5 / 1
    EXPECT_EQ(resampleScale(1, 1), 1.0f);
    EXPECT_EQ(resampleScale(1, 5), 0.2f); // one-pixel destination: 1 / 5
    // (3 - 1) / (4 - 1) = 2/3, rounded to the float 11184811 * 2^-24.
    EXPECT_EQ(resampleScale(3, 4), 11184811.0f * 0x1p-24f);
}

TEST(WeightLists, MirrorIndexRepeatsTheBorderMirrorsUntilInside) {
    for (int n = 1; n <= 6; ++n) {
        for (int j = -40; j <= 40; ++j) {
            long long p = j;
            while (p < 0 || p >= n) {
                p = p < 0 ? -p : 2LL * n - 1 - p;
            }
            EXPECT_EQ(mirrorIndex(j, n), p) << "n " << n << " j " << j;
        }
    }
    EXPECT_EQ(mirrorIndex(-3'000'000'000LL, 7), mirrorIndex(-3'000'000'000LL % 13, 7));
}

TEST(WeightLists, BordersMirrorDifferentlyAndZeroWeightsAreDropped) {
    // Lanczos3 at equal sizes: j = i - 3 and i + 3 weigh exactly 0 and are left out; the left
    // border mirrors onto p = -j, the right one onto p = 2n - 1 - j.
    const WeightLists lists(10, 10, lanczos3Kernel, 3.0f);
    EXPECT_EQ(pixels(lists[0]), (std::vector<int>{2, 1, 0, 1, 2}));
    EXPECT_EQ(pixels(lists[5]), (std::vector<int>{3, 4, 5, 6, 7}));
    EXPECT_EQ(pixels(lists[9]), (std::vector<int>{7, 8, 9, 9, 8}));
    EXPECT_EQ(lists[5].weights[2].weight, 1.0f);
    EXPECT_EQ(lists.lowestPixel(9), 7);
    EXPECT_EQ(lists.highestPixel(9), 9);
}

TEST(WeightLists, ListsWidenWhenShrinking) {
    // Box, 5 -> 3: scale 0.5, reach 1, f 2. Column 1: m = 2; j = 1 gives x = 0.5 (inside, the
    // right edge), weight 1 / 2; j = 2 gives 0.5; j = 3 gives x = -0.5, outside.
    const WeightLists box(3, 5, boxKernel, 0.5f);
    EXPECT_EQ(entries(box[1]), (std::vector<std::pair<int, float>>{{1, 0.5f}, {2, 0.5f}}));

    // Triangle, 2 -> 3: scale 2, the middle column sits halfway: two halves.
    const WeightLists triangle(3, 2, triangleKernel, 1.0f);
    EXPECT_EQ(entries(triangle[1]), (std::vector<std::pair<int, float>>{{0, 0.5f}, {1, 0.5f}}));
    EXPECT_EQ(entries(triangle[0]), (std::vector<std::pair<int, float>>{{0, 1.0f}}));

    // Halving with Lanczos3: 201 -> 101 has integer centres, so x = +-3 drops out and 11
    // remain. 6000 -> 3000 has the scale 2999/5999, slightly below 1/2: the reach 6.001 then
    // spans 13 source pixels around some centres.
    const WeightLists halved(101, 201, lanczos3Kernel, 3.0f);
    EXPECT_EQ(halved.scale(), 0.5f);
    EXPECT_EQ(halved[50].count, 11);
    EXPECT_EQ(halved.maxCount(), 11);
    EXPECT_EQ(WeightLists(3000, 6000, lanczos3Kernel, 3.0f).maxCount(), 13);
    for (int i = 0; i < halved.size(); ++i) {
        for (int k = 0; k < halved[i].count; ++k) {
            EXPECT_NE(halved[i].weights[k].weight, 0.0f);
        }
    }
}

TEST(WeightLists, OnePixelDestinationAveragesTheWholeSource) {
    // 5 -> 1 has no first-to-first mapping: the pixel is centred on the middle (m = 2) with
    // scale 1/5, f = 5: the box then covers source pixels 0..4 with 1/5 each.
    const WeightLists lists(1, 5, boxKernel, 0.5f);
    ASSERT_EQ(lists.size(), 1);
    EXPECT_EQ(pixels(lists[0]), (std::vector<int>{0, 1, 2, 3, 4}));
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(lists[0].weights[k].weight, 0.2f);
    }
    EXPECT_EQ(WeightLists(0, 5, boxKernel, 0.5f).size(), 0);
}

TEST(WeightLists, EveryIndexStaysInsideTinySources) {
    for (const auto& entry : KernelTable) {
        for (int n = 1; n <= 4; ++n) {
            for (int d : {1, 2, 3, 7, 40}) {
                const WeightLists lists(d, n, entry.kernel, entry.support);
                for (int i = 0; i < d; ++i) {
                    for (int k = 0; k < lists[i].count; ++k) {
                        const int p = lists[i].weights[k].pixel;
                        ASSERT_TRUE(p >= 0 && p < n) << entry.name << " " << n << "->" << d;
                    }
                }
            }
        }
    }
}
