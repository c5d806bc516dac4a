#include "images/StreamingResampler.h"

#include "ResampleTestPictures.h"
#include "images/ResampleBitmap.h"

#include <cstring>
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

TEST(StreamingResampler, OwnBuffersAreOfferedUpToTheEndOfAStrip) {
    std::mt19937 rng(8);
    const Bitmap24 source = randomPicture(13, 20, rng);
    Bitmap24 destination(5, 4);
    StreamingResampler resampler(13, 20, mitchellKernel, 2.0f, destination, {1});
    std::uint8_t* buffers[32];
    EXPECT_THROW(resampler.commitRows(1), std::logic_error);
    EXPECT_THROW(resampler.beginRows(buffers, 0), std::logic_error);
    int y = 0;
    while (y < 20) {
        const int offered = resampler.beginRows(buffers, 32);
        // Strips are 16 rows high: 16 are offered from row 0, 4 from row 16.
        EXPECT_EQ(offered, y == 0 ? 16 : 20 - y);
        for (int i = 0; i < offered; ++i) {
            std::memcpy(buffers[i], source.row(y + i), 13 * 3);
        }
        EXPECT_THROW(resampler.commitRows(offered + 1), std::logic_error);
        resampler.commitRows(offered);
        y += offered;
    }
    EXPECT_THROW(resampler.beginRows(buffers, 1), std::logic_error);
    resampler.finish();

    Bitmap24 reference(5, 4);
    ResampleBitmapReference(source, reference, mitchellKernel, 2.0f);
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
