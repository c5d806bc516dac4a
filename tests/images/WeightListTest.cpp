#include "WeightList.h"

#include <gtest/gtest.h>
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

} // namespace

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
