#include "images/ResampleBitmap.h"

#include "ResampleTestPictures.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Both implementations must show each behaviour; the fast one runs with two threads.
void resampleBoth(const Bitmap24& source, Bitmap24& fast, Bitmap24& reference,
                  KernelFunction kernel, float support) {
    ResampleBitmap(source, fast, kernel, support, {2, SimdPath::Best});
    ResampleBitmapReference(source, reference, kernel, support);
}

void setPixel(Bitmap24& b, int x, int y, std::uint8_t c0, std::uint8_t c1, std::uint8_t c2) {
    b.row(y)[x * 3] = c0;
    b.row(y)[x * 3 + 1] = c1;
    b.row(y)[x * 3 + 2] = c2;
}

// 1 at 0, -1 at 0.5, 11294037 * 2^-17 (86.16666412...) at -0.5, else 0.
constexpr float crafted = 11294037.0f * 0x1p-17f;
float craftedKernel(float x) {
    if (x == 0.0f) {
        return 1.0f;
    }
    if (x == 0.5f) {
        return -1.0f;
    }
    return x == -0.5f ? crafted : 0.0f;
}

float doubledBox(float x) {
    return boxKernel(x) * 2.0f;
}
float negativeBox(float x) {
    return -boxKernel(x);
}

} // namespace

TEST(Bitmap24, RowsArePaddedToFourBytesAndStartZeroed) {
    EXPECT_EQ(Bitmap24(1, 2).stride(), 4);
    EXPECT_EQ(Bitmap24(2, 2).stride(), 8);
    EXPECT_EQ(Bitmap24(4, 2).stride(), 12);
    EXPECT_EQ(Bitmap24(5, 2).stride(), 16);
    Bitmap24 b(5, 3);
    EXPECT_EQ(b.row(2) - b.row(0), 32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(b.row(y)[x], 0);
        }
    }
    b.row(1)[14] = 9;
    Bitmap24 moved = std::move(b);
    EXPECT_EQ(moved.row(1)[14], 9);
    EXPECT_EQ(b.width(), 0);
    EXPECT_THROW(Bitmap24(-1, 1), std::invalid_argument);
}

TEST(ResampleBitmap, SumsRoundToNearestWithTiesToEven) {
    // Triangle, 2 -> 3: the middle pixel is half of each neighbour. Horizontally: bytes (2, 3),
    // (3, 4), (0, 1), (1, 2) give 2.5 -> 2, 3.5 -> 4, 0.5 -> 0, 1.5 -> 2.
    Bitmap24 across(2, 2);
    setPixel(across, 0, 0, 2, 3, 0);
    setPixel(across, 1, 0, 3, 4, 1);
    setPixel(across, 0, 1, 1, 1, 1);
    setPixel(across, 1, 1, 2, 2, 2);
    Bitmap24 fast(3, 2);
    Bitmap24 reference(3, 2);
    resampleBoth(across, fast, reference, triangleKernel, 1.0f);
    for (const Bitmap24* out : {&fast, &reference}) {
        EXPECT_EQ(out->row(0)[3], 2);
        EXPECT_EQ(out->row(0)[4], 4);
        EXPECT_EQ(out->row(0)[5], 0);
        EXPECT_EQ(out->row(1)[3], 2);
    }
    // The same vertically, through the second pass.
    Bitmap24 down(1, 2);
    setPixel(down, 0, 0, 2, 3, 0);
    setPixel(down, 0, 1, 3, 4, 1);
    Bitmap24 fastDown(1, 3);
    Bitmap24 referenceDown(1, 3);
    resampleBoth(down, fastDown, referenceDown, triangleKernel, 1.0f);
    for (const Bitmap24* out : {&fastDown, &referenceDown}) {
        EXPECT_EQ(out->row(1)[0], 2);
        EXPECT_EQ(out->row(1)[1], 4);
        EXPECT_EQ(out->row(1)[2], 0);
    }
}

TEST(ResampleBitmap, RunningSumsRoundOnceAsFusedMultiplyAdd) {
    // 2 -> 3 with the crafted kernel: the middle pixel sums 255 * -1, then 3 * crafted. The
    // exact 3 * crafted is 258.49999237; rounded once with the running sum, -255 + 258.49999237
    // = 3.49999237 -> 3. Rounding the product first gives 258.5, then 3.5 -> 4, which is wrong.
    Bitmap24 across(2, 1);
    setPixel(across, 0, 0, 255, 0, 0);
    setPixel(across, 1, 0, 3, 0, 0);
    Bitmap24 fast(3, 1);
    Bitmap24 reference(3, 1);
    resampleBoth(across, fast, reference, craftedKernel, 1.0f);
    EXPECT_EQ(fast.row(0)[3], 3);
    EXPECT_EQ(reference.row(0)[3], 3);

    // The same down a picture 12 pixels wide, so the vertical pass runs on whole vectors too.
    Bitmap24 down(12, 2);
    for (int x = 0; x < 12; ++x) {
        setPixel(down, x, 0, 255, 255, 255);
        setPixel(down, x, 1, 3, 3, 3);
    }
    Bitmap24 fastDown(12, 3);
    Bitmap24 referenceDown(12, 3);
    resampleBoth(down, fastDown, referenceDown, craftedKernel, 1.0f);
    for (int x = 0; x < 36; ++x) {
        EXPECT_EQ(fastDown.row(1)[x], 3) << x;
        EXPECT_EQ(referenceDown.row(1)[x], 3) << x;
    }
}

TEST(ResampleBitmap, EqualSizesGiveTheSourceBack) {
    std::mt19937 rng(11);
    const Bitmap24 source = randomPicture(37, 23, rng);
    for (const char* name : {"Lanczos3", "Box", "Triangle", "Hermite"}) {
        const KernelTableEntry& entry = *findKernel(name);
        Bitmap24 fast(37, 23);
        Bitmap24 reference(37, 23);
        resampleBoth(source, fast, reference, entry.kernel, entry.support);
        EXPECT_TRUE(fast.samePixels(source)) << name;
        EXPECT_TRUE(reference.samePixels(source)) << name;
    }
}

TEST(ResampleBitmap, OnePixelHighSourcesAndDestinations) {
    // A one-row source enlarged: every tap of the vertical pass mirrors onto row 0, and the
    // triangle's two weights add up to 1, so each destination row repeats the source row.
    std::mt19937 rng(5);
    const Bitmap24 row = randomPicture(9, 1, rng);
    Bitmap24 fast(9, 4);
    Bitmap24 reference(9, 4);
    resampleBoth(row, fast, reference, triangleKernel, 1.0f);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 27; ++x) {
            EXPECT_EQ(fast.row(y)[x], row.row(0)[x]);
            EXPECT_EQ(reference.row(y)[x], row.row(0)[x]);
        }
    }

    // A one-row destination from five rows 10, 20, 30, 40, 51: the box spreads over the whole
    // column with 1/5 each, 30.2 -> 30.
    Bitmap24 column(2, 5);
    for (int y = 0; y < 5; ++y) {
        const auto v = static_cast<std::uint8_t>(y == 4 ? 51 : 10 * (y + 1));
        setPixel(column, 0, y, v, v, v);
        setPixel(column, 1, y, v, v, v);
    }
    Bitmap24 flatFast(2, 1);
    Bitmap24 flatReference(2, 1);
    resampleBoth(column, flatFast, flatReference, boxKernel, 0.5f);
    EXPECT_EQ(flatFast.row(0)[0], 30);
    EXPECT_EQ(flatReference.row(0)[5], 30);
}

TEST(ResampleBitmap, SumsOutsideTheByteRangeAreClamped) {
    // A box of height 2 doubles each byte in each pass: 50 -> 100 -> 200, 64 -> 128 -> 256 ->
    // 255, 200 -> 400 -> 255 already in the first pass.
    Bitmap24 source(1, 1);
    setPixel(source, 0, 0, 50, 64, 200);
    Bitmap24 doubled(1, 1);
    Bitmap24 doubledReference(1, 1);
    resampleBoth(source, doubled, doubledReference, doubledBox, 0.5f);
    for (const Bitmap24* out : {&doubled, &doubledReference}) {
        EXPECT_EQ(out->row(0)[0], 200);
        EXPECT_EQ(out->row(0)[1], 255);
        EXPECT_EQ(out->row(0)[2], 255);
    }
    // A box of height -1 makes every sum of the first pass negative, so the work image is 0
    // and so is the result; without clamping there the second pass would negate back.
    Bitmap24 negated(1, 1);
    Bitmap24 negatedReference(1, 1);
    resampleBoth(source, negated, negatedReference, negativeBox, 0.5f);
    EXPECT_TRUE(negated.samePixels(filledPicture(1, 1, 0)));
    EXPECT_TRUE(negatedReference.samePixels(filledPicture(1, 1, 0)));

    // A sharp black-to-white edge enlarged with Lanczos3 overshoots on both sides; the dark side
    // must stay near 0 and the bright side near 255, not wrap around.
    Bitmap24 edge(8, 1);
    for (int x = 4; x < 8; ++x) {
        setPixel(edge, x, 0, 255, 255, 255);
    }
    Bitmap24 wide(29, 1);
    Bitmap24 wideReference(29, 1);
    resampleBoth(edge, wide, wideReference, lanczos3Kernel, 3.0f);
    EXPECT_TRUE(wide.samePixels(wideReference));
    int zeros = 0;
    int fulls = 0;
    for (int x = 0; x < 29; ++x) {
        const int v = wide.row(0)[x * 3];
        if (x <= 11) {
            EXPECT_LT(v, 20) << x;
        }
        if (x >= 17) {
            EXPECT_GT(v, 235) << x;
        }
        zeros += v == 0;
        fulls += v == 255;
    }
    EXPECT_GT(zeros, 0);
    EXPECT_GT(fulls, 0);
}

TEST(ResampleBitmap, TinySourcesAndExtremeShrinkingStayInsideTheSource) {
    // Reads outside the source would show under the address sanitizer; both paths must agree.
    std::mt19937 rng(3);
    for (const auto& entry : KernelTable) {
        for (int w = 1; w <= 4; ++w) {
            for (int h = 1; h <= 4; ++h) {
                const Bitmap24 source = randomPicture(w, h, rng);
                for (int d : {1, 2, 5, 9}) {
                    Bitmap24 fast(d, 10 - d);
                    Bitmap24 reference(d, 10 - d);
                    resampleBoth(source, fast, reference, entry.kernel, entry.support);
                    ASSERT_TRUE(fast.samePixels(reference)) << entry.name << w << "x" << h;
                }
            }
        }
        // A constant picture stays constant with the box, however far it is shrunk.
        const Bitmap24 flat = filledPicture(700, 3, 77);
        for (auto [dw, dh] : {std::pair{2, 1}, std::pair{1, 1}, std::pair{3, 2}}) {
            Bitmap24 fast(dw, dh);
            Bitmap24 reference(dw, dh);
            resampleBoth(flat, fast, reference, entry.kernel, entry.support);
            ASSERT_TRUE(fast.samePixels(reference)) << entry.name;
            if (entry.kernel == boxKernel) {
                EXPECT_TRUE(fast.samePixels(filledPicture(dw, dh, 77)));
            }
        }
    }
}

TEST(ResampleBitmap, EmptySourceFailsWithoutTouchingTheDestination) {
    for (auto [w, h] : {std::pair{0, 4}, std::pair{4, 0}, std::pair{0, 0}}) {
        const Bitmap24 source(w, h);
        Bitmap24 destination = filledPicture(3, 2, 0xAB);
        for (int implementation = 0; implementation < 2; ++implementation) {
            try {
                if (implementation == 0) {
                    ResampleBitmap(source, destination, lanczos3Kernel, 3.0f);
                } else {
                    ResampleBitmapReference(source, destination, lanczos3Kernel, 3.0f);
                }
                ADD_FAILURE() << "no error for " << w << "x" << h;
            } catch (const ResampleError& error) {
                EXPECT_STREQ(error.what(), "Source bitmap too small");
            }
            EXPECT_TRUE(destination.samePixels(filledPicture(3, 2, 0xAB)));
        }
    }
}

TEST(ResampleBitmap, DestinationWithoutPixelsLeavesNothingToDo) {
    std::mt19937 rng(9);
    const Bitmap24 source = randomPicture(6, 4, rng);
    Bitmap24 noWidth(0, 5);
    Bitmap24 noHeight(5, 0);
    EXPECT_NO_THROW(ResampleBitmap(source, noWidth, lanczos3Kernel, 3.0f));
    EXPECT_NO_THROW(ResampleBitmap(source, noHeight, lanczos3Kernel, 3.0f));
    EXPECT_NO_THROW(ResampleBitmapReference(source, noHeight, lanczos3Kernel, 3.0f));
}

TEST(ResampleBitmap, SourceMayBeItsOwnDestination) {
    // This kernel moves the picture down and right by eight pixels, so destination row r is
    // made from source row r - 8 and would be written before source row r is read, were the
    // two the same memory.
    const auto shiftByEight = [](float x) { return x == 8.0f ? 1.0f : 0.0f; };
    std::mt19937 rng(12);
    Bitmap24 picture = randomPicture(40, 50, rng);
    Bitmap24 reference(40, 50);
    ResampleBitmapReference(picture, reference, shiftByEight, 9.0f);
    ResampleBitmap(picture, picture, shiftByEight, 9.0f, {1});
    EXPECT_TRUE(picture.samePixels(reference));
}
