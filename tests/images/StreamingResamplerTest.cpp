#include "StreamingResampler.h"

#include "ResampleBitmap.h"
#include "ResampleTestPictures.h"

#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

std::vector<const std::uint8_t*> rowsOf(const Bitmap24& picture) {
    std::vector<const std::uint8_t*> rows;
    for (int y = 0; y < picture.height(); ++y) {
        rows.push_back(picture.row(y));
    }
    return rows;
}

} // namespace

TEST(StreamingResampler, RefusesTooManyRowsAndAnEarlyFinish) {
    std::mt19937 rng(2);
    const Bitmap24 source = randomPicture(20, 10, rng);
    const auto rows = rowsOf(source);
    Bitmap24 destination(7, 5);
    StreamingResampler resampler(20, 10, lanczos3Kernel, 3.0f, destination, {2});
    resampler.feed(rows.data(), 6);
    EXPECT_THROW(resampler.finish(), std::logic_error);
    EXPECT_THROW(resampler.feed(rows.data(), 5), std::logic_error);
    EXPECT_EQ(resampler.rowsFed(), 6);
    resampler.feed(rows.data() + 6, 4);
    resampler.finish();

    Bitmap24 reference(7, 5);
    ResampleBitmapReference(source, reference, lanczos3Kernel, 3.0f);
    EXPECT_TRUE(destination.samePixels(reference));
}

TEST(StreamingResampler, EmptySourceFailsBeforeAnythingIsWritten) {
    Bitmap24 destination = filledPicture(4, 4, 0x11);
    try {
        StreamingResampler resampler(5, 0, boxKernel, 0.5f, destination);
        ADD_FAILURE() << "no error";
    } catch (const ResampleError& error) {
        EXPECT_STREQ(error.what(), "Source bitmap too small");
    }
    EXPECT_TRUE(destination.samePixels(filledPicture(4, 4, 0x11)));
}

TEST(StreamingResampler, CanBeAbandonedHalfway) {
    // As when decoding fails midway: the workers stop and nothing is left running.
    std::mt19937 rng(4);
    const Bitmap24 source = randomPicture(300, 200, rng);
    const auto rows = rowsOf(source);
    for (int fed : {0, 1, 57, 199}) {
        Bitmap24 destination(90, 60);
        StreamingResampler resampler(300, 200, lanczos3Kernel, 3.0f, destination, {3});
        resampler.feed(rows.data(), fed);
        EXPECT_EQ(resampler.rowsFed(), fed);
    }
}

TEST(StreamingResampler, DestinationWithoutPixelsOnlyCountsRows) {
    std::mt19937 rng(6);
    const Bitmap24 source = randomPicture(8, 8, rng);
    const auto rows = rowsOf(source);
    Bitmap24 destination(0, 3);
    StreamingResampler resampler(8, 8, boxKernel, 0.5f, destination, {2});
    resampler.feed(rows.data(), 8);
    EXPECT_THROW(resampler.feed(rows.data(), 1), std::logic_error);
    EXPECT_NO_THROW(resampler.finish());
}
