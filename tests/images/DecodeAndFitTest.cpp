#include "images/DecodeAndFit.h"

#include "JpegTestFiles.h"
#include "images/Orientation.h"
#include "images/ResampleBitmap.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::span<const std::uint8_t> bytesOf(const std::vector<std::uint8_t>& data) {
    return {data.data(), data.size()};
}

struct PipelineCase {
    const char* name;
    JpegRecipe recipe;
    PixelSize source;
    PixelSize destination;
    int threads;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const PipelineCase& c, std::ostream* out) {
    *out << c.name;
}

class DecodeResampled : public testing::TestWithParam<PipelineCase> {};

TEST_P(DecodeResampled, EqualsWholeDecodeThenResampleBitmap) {
    const PipelineCase& c = GetParam();
    const auto jpeg = encodeJpeg(photoLikePicture(c.source.width, c.source.height), c.recipe);

    JpegDecoder whole = JpegDecoder::openMemory(bytesOf(jpeg));
    const Bitmap24 picture = decodeJpeg(whole);
    Bitmap24 expected(c.destination.width, c.destination.height);
    ResampleBitmap(picture, expected, lanczos3Kernel, 3.0f);

    JpegDecoder streamed = JpegDecoder::openMemory(bytesOf(jpeg));
    const Bitmap24 result =
        decodeResampled(streamed, c.destination, lanczos3Kernel, 3.0f, {.threads = c.threads});
    EXPECT_TRUE(result.samePixels(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, DecodeResampled,
    testing::Values(
        PipelineCase{"ShrinkOneThread", {}, {301, 203}, {120, 81}, 1},
        PipelineCase{"ShrinkThreeThreads", {}, {301, 203}, {120, 81}, 3},
        PipelineCase{"ProgressiveShrink", {.progressive = true}, {260, 190}, {97, 71}, 2},
        PipelineCase{"GreyUnequalScales", {.colour = JpegColour::Grey}, {150, 220}, {140, 40}, 2},
        PipelineCase{"CmykShrink", {.colour = JpegColour::CmykAdobe}, {120, 90}, {50, 37}, 2},
        PipelineCase{"Enlarge", {}, {40, 30}, {97, 71}, 2},
        PipelineCase{"SameSize", {}, {64, 48}, {64, 48}, 1},
        PipelineCase{"OneRowPicture", {}, {50, 1}, {25, 1}, 2}),
    [](const auto& param) { return std::string(param.param.name); });

// A tagged picture is fitted as it is seen: the exact resampling of the turned picture, whichever
// way it is turned and however many threads share the work.
TEST(DecodeAndFit, ATaggedPictureIsResampledAsTurned) {
    for (int value = 2; value <= 8; ++value) {
        const auto orientation = static_cast<Orientation>(value);
        const auto jpeg =
            encodeJpeg(photoLikePicture(150, 97), {.app1 = {exifPayload({.orientation = value})}});
        JpegDecoder whole = JpegDecoder::openMemory(bytesOf(jpeg));
        const PixelSize size = fitSize(whole.shownSize(), {70, 70});
        const Bitmap24 turned = turnedPicture(decodeJpeg(whole), orientation);
        Bitmap24 expected(size.width, size.height);
        ResampleBitmap(turned, expected, lanczos3Kernel, 3.0f);
        for (const int threads : {1, 3}) {
            SCOPED_TRACE(testing::Message() << "orientation " << value << ", threads " << threads);
            JpegDecoder streamed = JpegDecoder::openMemory(bytesOf(jpeg));
            const Bitmap24 result =
                decodeResampled(streamed, size, lanczos3Kernel, 3.0f, {.threads = threads});
            EXPECT_TRUE(result.samePixels(expected));
        }
    }
}

TEST(DecodeAndFit, FitsTheFileIntoTheLimitWithLanczos3) {
    TempDir dir;
    writeFile(dir / "wide.jpg", encodeJpeg(photoLikePicture(400, 300)));
    const std::string path = (dir / "wide.jpg").string();

    const Bitmap24 fitted = decodeAndFit(path, {200, 100});
    const PixelSize size = fitSize({400, 300}, {200, 100});
    ASSERT_EQ(fitted.width(), size.width);
    ASSERT_EQ(fitted.height(), size.height);
    Bitmap24 expected(size.width, size.height);
    ResampleBitmap(decodeJpegFile(path), expected, lanczos3Kernel, 3.0f);
    EXPECT_TRUE(fitted.samePixels(expected));
}

TEST(DecodeAndFit, RefusesAPictureBeyondTheMemoryBudget) {
    for (const int orientation : {1, 6}) {
        const auto jpeg = encodeJpeg(photoLikePicture(64, 64),
                                     {.app1 = {exifPayload({.orientation = orientation})}});
        JpegDecoder decoder = JpegDecoder::openMemory(bytesOf(jpeg));
        EXPECT_THROW(decodeResampled(decoder, {32, 32}, lanczos3Kernel, 3.0f, {}, 4096), JpegError);
    }
}

TEST(DecodeAndFit, DecodingErrorMidwayStopsTheResamplerCleanly) {
    auto jpeg = encodeJpeg(photoLikePicture(300, 300));
    jpeg.resize(jpeg.size() * 2 / 3);
    for (const Orientation orientation : {Orientation::Normal, Orientation::TurnedClockwise}) {
        for (int threads : {1, 2}) {
            JpegDecoder decoder = JpegDecoder::openMemory(bytesOf(jpeg));
            decoder.setOrientation(orientation);
            try {
                decodeResampled(decoder, {100, 100}, lanczos3Kernel, 3.0f, {.threads = threads});
                ADD_FAILURE() << "a truncated picture was resampled";
            } catch (const JpegError& error) {
                EXPECT_STREQ(error.what(), "Premature end of JPEG file");
            }
        }
    }
}

} // namespace
