#include "images/FitSize.h"

#include <gtest/gtest.h>

namespace {

// A 1920 x 1080 screen less a margin of 100.
constexpr PixelSize kScreenLimit{1820, 980};

TEST(FitSize, PicturesOnAFullHdScreen) {
    EXPECT_EQ(fitSize({800, 600}, kScreenLimit), (PixelSize{800, 600}));
    EXPECT_EQ(fitSize({3640, 1000}, kScreenLimit), (PixelSize{1820, 500}));
    EXPECT_EQ(fitSize({1000, 1960}, kScreenLimit), (PixelSize{500, 980}));
    EXPECT_EQ(fitSize({4000, 4000}, kScreenLimit), (PixelSize{980, 980}));
    EXPECT_EQ(fitSize({6000, 4000}, kScreenLimit), (PixelSize{1470, 980}));
}

TEST(FitSize, DimensionEqualToItsLimitScalesByOne) {
    EXPECT_EQ(fitSize({1820, 500}, kScreenLimit), (PixelSize{1820, 500}));
    EXPECT_EQ(fitSize({1820, 980}, kScreenLimit), (PixelSize{1820, 980}));
    EXPECT_EQ(fitSize({500, 980}, kScreenLimit), (PixelSize{500, 980}));
    // Width at its limit keeps the height, which then goes through its own branch.
    EXPECT_EQ(fitSize({1820, 1960}, kScreenLimit), (PixelSize{910, 980}));
}

TEST(FitSize, HalvesRoundToEven) {
    // 1001 / 2 = 500.5 and 1003 / 2 = 501.5, in the width branch and then in the height branch.
    EXPECT_EQ(fitSize({3640, 1001}, kScreenLimit), (PixelSize{1820, 500}));
    EXPECT_EQ(fitSize({3640, 1003}, kScreenLimit), (PixelSize{1820, 502}));
    EXPECT_EQ(fitSize({1001, 1960}, kScreenLimit), (PixelSize{500, 980}));
    EXPECT_EQ(fitSize({1003, 1960}, kScreenLimit), (PixelSize{502, 980}));
}

TEST(FitSize, HeightShrunkByTheWidthCanStillExceedItsLimit) {
    // 5000 x 3000: the width branch gives 1820 x 1092, the height branch then 1633 x 980.
    EXPECT_EQ(fitSize({5000, 3000}, kScreenLimit), (PixelSize{1633, 980}));
}

TEST(FitSize, ThinStripsKeepAtLeastOnePixel) {
    EXPECT_EQ(fitSize({65500, 1}, kScreenLimit), (PixelSize{1820, 1}));
    EXPECT_EQ(fitSize({1, 65500}, kScreenLimit), (PixelSize{1, 980}));
    EXPECT_EQ(fitSize({100, 100}, {0, -5}), (PixelSize{1, 1}));
}

} // namespace
