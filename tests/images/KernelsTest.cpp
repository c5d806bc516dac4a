#include "images/Kernels.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>

// Expected values are worked out by hand from the kernel definitions. Where the exact value is
// not a float, the expected float is written as an integer times a power of two: the nearest
// float to the exact value.

TEST(Kernels, TableHasTheSevenKernelsInOrderWithTheirSupports) {
    const char* names[] = {"Box",      "Triangle", "Hermite", "Bell",
                           "B-Spline", "Lanczos3", "Mitchell"};
    const float supports[] = {0.5f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
    const KernelFunction kernels[] = {boxKernel,     triangleKernel, hermiteKernel, bellKernel,
                                      bSplineKernel, lanczos3Kernel, mitchellKernel};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(KernelTable[i].name, names[i]);
        EXPECT_EQ(KernelTable[i].support, supports[i]) << names[i];
        EXPECT_EQ(KernelTable[i].kernel, kernels[i]) << names[i];
        EXPECT_EQ(findKernel(names[i]), &KernelTable[i]);
    }
    EXPECT_EQ(findKernel("lanczos3"), nullptr);
}

TEST(Kernels, BoxIncludesItsRightEdgeOnly) {
    EXPECT_EQ(boxKernel(0.0f), 1.0f);
    EXPECT_EQ(boxKernel(0.5f), 1.0f);
    EXPECT_EQ(boxKernel(-0.5f), 0.0f);
    EXPECT_EQ(boxKernel(-0.49999997f), 1.0f);
    EXPECT_EQ(boxKernel(0.50000006f), 0.0f);
}

TEST(Kernels, TriangleHermiteAndBellAtChosenPoints) {
    EXPECT_EQ(triangleKernel(-0.25f), 0.75f);
    EXPECT_EQ(triangleKernel(1.0f), 0.0f);
    // Hermite, t = 0.25: (0.5 - 3) * 0.0625 + 1 = 0.84375; t = 0.5: -2 * 0.25 + 1 = 0.5.
    EXPECT_EQ(hermiteKernel(0.25f), 0.84375f);
    EXPECT_EQ(hermiteKernel(-0.5f), 0.5f);
    EXPECT_EQ(hermiteKernel(1.0f), 0.0f);
    // Bell, t = 0.25: 0.75 - 0.0625 = 0.6875; t = 0.5 (second branch): 0.5 * 1 * 1 = 0.5;
    // t = 1: 0.5 * 0.25 = 0.125; 1.5 is outside.
    EXPECT_EQ(bellKernel(0.25f), 0.6875f);
    EXPECT_EQ(bellKernel(0.5f), 0.5f);
    EXPECT_EQ(bellKernel(-1.0f), 0.125f);
    EXPECT_EQ(bellKernel(1.5f), 0.0f);
}

TEST(Kernels, BSplineAtChosenPoints) {
    // t = 0: 2/3 = 0.10101...b; the nearest float is 11184811 * 2^-24.
    EXPECT_EQ(bSplineKernel(0.0f), 11184811.0f * 0x1p-24f);
    // t = 0.5, s = 0.25: 0.0625 - 0.25 + 2/3 = 23/48; 23/48 * 2^25 = 16078165.33 -> 16078165.
    EXPECT_EQ(bSplineKernel(0.5f), 16078165.0f * 0x1p-25f);
    // t = 1 (second branch): (1/6) * 1 = 1/6; 1/6 * 2^26 = 11184810.67 -> 11184811.
    EXPECT_EQ(bSplineKernel(1.0f), 11184811.0f * 0x1p-26f);
    // t = 1.5: (1/6) * 0.125 = 1/48; 1/48 * 2^29 = 11184810.67 -> 11184811.
    EXPECT_EQ(bSplineKernel(-1.5f), 11184811.0f * 0x1p-29f);
    EXPECT_EQ(bSplineKernel(2.0f), 0.0f);
}

TEST(Kernels, MitchellAtChosenPoints) {
    // t = 0: (16/3) / 6 = 8/9; 8/9 * 2^24 = 14913080.89 -> 14913081.
    EXPECT_EQ(mitchellKernel(0.0f), 14913081.0f * 0x1p-24f);
    // t = 1 (second branch): (-7/3 + 12 - 20 + 32/3) / 6 = 1/18; 1/18 * 2^28 = 14913080.89.
    EXPECT_EQ(mitchellKernel(1.0f), 14913081.0f * 0x1p-28f);
    // t = 0.5, s = 0.25: (0.875 - 3 + 16/3) / 6 = 77/144; * 2^24 = 8971150.22 -> 8971150.
    EXPECT_EQ(mitchellKernel(0.5f), 8971150.0f * 0x1p-24f);
    // t = 1.5, s = 2.25: (-7.875 + 27 - 30 + 32/3) / 6 = -5/144; * 2^28 = -9320675.56.
    EXPECT_EQ(mitchellKernel(-1.5f), -9320676.0f * 0x1p-28f);
    EXPECT_EQ(mitchellKernel(2.0f), 0.0f);
}

TEST(Kernels, Lanczos3AtChosenPoints) {
    EXPECT_EQ(lanczos3Kernel(0.0f), 1.0f);
    EXPECT_EQ(sinc(0.0f), 1.0f);
    // t = 0.5: sinc(0.5) = 2/pi = 0.6366198; t/3 = 1/6: sinc = 0.5 / (pi/6) = 0.9549297;
    // product 0.6079271.
    EXPECT_NEAR(lanczos3Kernel(0.5f), 0.6079271f, 1e-7);
    // t = 1.5: sinc(1.5) = -2/(3 pi) = -0.2122066; sinc(0.5) = 0.6366198; product -0.1350949.
    EXPECT_NEAR(lanczos3Kernel(-1.5f), -0.1350949f, 1e-7);
    // t = 1: y = pi rounded to a float, 13176795 * 2^-22, which exceeds pi by 8.742278e-8, so
    // sin(y) = -8.742278e-8 and sinc(1) = -2.782753e-8 instead of 0; times sinc(1/3) = 0.8269933
    // gives -2.301325e-8. The kernel vanishes at the integers only up to float rounding.
    EXPECT_NEAR(sinc(1.0f), -2.782753e-8f, 1e-13);
    EXPECT_NEAR(lanczos3Kernel(1.0f), -2.301325e-8f, 1e-13);
    EXPECT_EQ(lanczos3Kernel(3.0f), 0.0f);
    EXPECT_EQ(lanczos3Kernel(-3.5f), 0.0f);
}

TEST(Kernels, Lanczos3GivesTheExtendedPrecisionProduct) {
    // The kernel forms t / 3 and the product of the two sincs in double precision; the
    // definition rounds both from extended precision.
    for (std::uint32_t bits = 0; bits < 0x40400000; bits += 1013) { // 0 to 3
        float t = 0;
        std::memcpy(&t, &bits, sizeof t);
        const float third = static_cast<float>(static_cast<long double>(t) / 3.0L);
        const auto expected =
            static_cast<float>(static_cast<long double>(sincExtended(t)) * sincExtended(third));
        const float value = lanczos3Kernel(-t);
        ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << std::hexfloat << t;
    }
}

TEST(Kernels, SincGivesTheExtendedPrecisionFloatForEveryArgument) {
    // sinc() takes a faster route where it can prove the same rounding. Compare it with the
    // direct evaluation on a sweep through every binade up to 12 (the lanczos3 kernel reads
    // 0..3; beyond that the fallback is taken more often), both signs, and densely around the
    // zeros of the sine, where the quotient is smallest and its relative error largest.
    const auto check = [](float x) {
        const float fast = sinc(x);
        const float direct = sincExtended(x);
        ASSERT_EQ(std::memcmp(&fast, &direct, sizeof fast), 0)
            << std::hexfloat << x << ": " << fast << " instead of " << direct;
    };
    const auto fromBits = [](std::uint32_t bits) {
        float x = 0;
        std::memcpy(&x, &bits, sizeof x);
        return x;
    };
    const std::uint32_t twelve = 0x41400000;
    for (std::uint32_t bits = 0; bits <= twelve; bits += 997) {
        check(fromBits(bits));
        check(-fromBits(bits));
    }
    for (float zero = 1.0f; zero <= 12.0f; zero += 1.0f) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &zero, sizeof bits);
        for (std::uint32_t near = bits - 3000; near <= bits + 3000; ++near) {
            check(fromBits(near));
        }
    }
}
