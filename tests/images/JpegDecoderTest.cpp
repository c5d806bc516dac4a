#include "images/JpegDecoder.h"

#include "JpegTestFiles.h"
#include "images/DecodeAndFit.h"
#include "images/JpegMemoryBudget.h"
#include "images/Orientation.h"

#include <array>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

std::span<const std::uint8_t> bytesOf(const std::vector<std::uint8_t>& data) {
    return {data.data(), data.size()};
}

Bitmap24 decodeBytes(const std::vector<std::uint8_t>& jpeg) {
    JpegDecoder decoder = JpegDecoder::openMemory(bytesOf(jpeg));
    return decodeJpeg(decoder);
}

// Expects the bitmap pixel at (x, y) to hold red, green, blue within `tolerance`, read in the
// bitmap's order blue, green, red.
void expectColour(const Bitmap24& bitmap, int x, int y, int red, int green, int blue,
                  int tolerance) {
    const std::uint8_t* bgr = bitmap.row(y) + x * 3;
    EXPECT_NEAR(bgr[0], blue, tolerance) << "blue at " << x << "," << y;
    EXPECT_NEAR(bgr[1], green, tolerance) << "green at " << x << "," << y;
    EXPECT_NEAR(bgr[2], red, tolerance) << "red at " << x << "," << y;
}

void expectQuadrantColours(const Bitmap24& bitmap, int tolerance) {
    const int w = bitmap.width();
    const int h = bitmap.height();
    expectColour(bitmap, w / 4, h / 4, 255, 0, 0, tolerance);
    expectColour(bitmap, 3 * w / 4, h / 4, 0, 255, 0, tolerance);
    expectColour(bitmap, w / 4, 3 * h / 4, 0, 0, 255, tolerance);
    expectColour(bitmap, 3 * w / 4, 3 * h / 4, 255, 255, 255, tolerance);
}

std::string messageOf(const std::vector<std::uint8_t>& jpeg) {
    try {
        decodeBytes(jpeg);
    } catch (const JpegError& error) {
        return error.what();
    }
    return "(no error)";
}

// --- colours -------------------------------------------------------------------------------

TEST(JpegDecoderColours, ColourPictureDecodesToItsSizeInBlueGreenRedOrder) {
    TempDir dir;
    const auto jpeg = encodeJpeg(quadrantPicture(64, 48));
    writeFile(dir / "quadrants.jpg", jpeg);

    const Bitmap24 fromFile = decodeJpegFile((dir / "quadrants.jpg").string());
    ASSERT_EQ(fromFile.width(), 64);
    ASSERT_EQ(fromFile.height(), 48);
    expectQuadrantColours(fromFile, 4);
    EXPECT_TRUE(fromFile.samePixels(decodeBytes(jpeg)));
}

TEST(JpegDecoderColours, GreyPictureBecomesEqualChannelsOfItsGrey) {
    const RgbPicture picture = photoLikePicture(40, 30);
    const Bitmap24 bitmap = decodeBytes(encodeJpeg(picture, {.colour = JpegColour::Grey}));
    ASSERT_EQ(bitmap.width(), 40);
    ASSERT_EQ(bitmap.height(), 30);
    long error = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const std::uint8_t* bgr = bitmap.row(y) + x * 3;
            ASSERT_EQ(bgr[0], bgr[1]);
            ASSERT_EQ(bgr[1], bgr[2]);
            error += std::abs(bgr[1] - picture.pixel(x, y)[1]);
        }
    }
    EXPECT_LT(error / (40 * 30), 4) << "mean difference from the encoded grey";
}

class JpegDecoderFourComponents : public testing::TestWithParam<JpegColour> {};

TEST_P(JpegDecoderFourComponents, ComeOutInTheirColours) {
    const Bitmap24 bitmap =
        decodeBytes(encodeJpeg(quadrantPicture(64, 48), {.colour = GetParam()}));
    ASSERT_EQ(bitmap.width(), 64);
    ASSERT_EQ(bitmap.height(), 48);
    expectQuadrantColours(bitmap, 8);
}

INSTANTIATE_TEST_SUITE_P(Kinds, JpegDecoderFourComponents,
                         testing::Values(JpegColour::CmykAdobe, JpegColour::CmykPlain,
                                         JpegColour::Ycck),
                         [](const auto& param) {
                             switch (param.param) {
                             case JpegColour::CmykAdobe:
                                 return std::string("CmykWithAdobeMarker");
                             case JpegColour::CmykPlain:
                                 return std::string("CmykWithoutAdobeMarker");
                             default:
                                 return std::string("Ycck");
                             }
                         });

// --- damaged and foreign files ---------------------------------------------------------------

TEST(JpegDecoderFailures, TruncatedFilesFailWithLibjpegsMessage) {
    auto baseline = encodeJpeg(photoLikePicture(64, 64));
    baseline.resize(baseline.size() / 2);
    EXPECT_EQ(messageOf(baseline), "Premature end of JPEG file");

    auto progressive = encodeJpeg(photoLikePicture(64, 64), {.progressive = true});
    progressive.resize(progressive.size() / 2);
    EXPECT_EQ(messageOf(progressive), "Premature end of JPEG file");

    auto header = encodeJpeg(photoLikePicture(64, 64));
    header.resize(100);
    EXPECT_EQ(messageOf(header), "Premature end of JPEG file");
}

TEST(JpegDecoderFailures, TruncatedFileFromDiskFailsInTheStripsAndStaysFailed) {
    TempDir dir;
    auto jpeg = encodeJpeg(photoLikePicture(64, 64));
    jpeg.resize(jpeg.size() / 2);
    writeFile(dir / "cut.jpg", jpeg);

    JpegDecoder decoder = JpegDecoder::openFile((dir / "cut.jpg").string());
    decoder.start(0);
    Bitmap24 strip(64, 8);
    std::vector<std::uint8_t*> rows;
    for (int y = 0; y < 8; ++y) {
        rows.push_back(strip.row(y));
    }
    EXPECT_THROW(
        {
            while (decoder.readRows(rows.data(), 8) == 8) {
            }
        },
        JpegError);
    EXPECT_THROW(decoder.readRows(rows.data(), 8), JpegError);
}

TEST(JpegDecoderFailures, ForeignEmptyAndMissingFilesFail) {
    const std::string text = "GIF89a: certainly not a JPEG picture";
    EXPECT_EQ(messageOf({text.begin(), text.end()}), "Not a JPEG file: starts with 0x47 0x49");
    EXPECT_EQ(messageOf({}), "Empty input file");

    TempDir dir;
    writeFile(dir / "empty.jpg", {});
    try {
        decodeJpegFile((dir / "empty.jpg").string());
        ADD_FAILURE() << "an empty file decoded";
    } catch (const JpegError& error) {
        EXPECT_STREQ(error.what(), "Empty input file");
    }
    try {
        decodeJpegFile((dir / "absent.jpg").string());
        ADD_FAILURE() << "a missing file decoded";
    } catch (const JpegError& error) {
        EXPECT_NE(std::string(error.what()).find("absent.jpg"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("No such file"), std::string::npos);
    }
}

TEST(JpegDecoderFailures, CorruptScanDataThatLibjpegSkipsStillDecodes) {
    auto jpeg = encodeJpeg(photoLikePicture(64, 64));
    const std::size_t middle = jpeg.size() / 2;
    for (std::size_t i = middle; i < middle + 40; ++i) {
        jpeg[i] = 0x55;
    }
    const Bitmap24 bitmap = decodeBytes(jpeg);
    EXPECT_EQ(bitmap.width(), 64);
    EXPECT_EQ(bitmap.height(), 64);
}

// --- hostile files -----------------------------------------------------------------------------

double cpuSecondsOf(const std::function<void()>& work) {
    const std::clock_t started = std::clock();
    work();
    return static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC;
}

// A flat grey progressive picture of 2048 x 2048 whose first AC scan is repeated.
std::vector<std::uint8_t> manyScans(int scans) {
    RgbPicture grey{2048, 2048, std::vector<std::uint8_t>(std::size_t{2048} * 2048 * 3, 128)};
    return withScansRepeated(encodeJpeg(grey, {.colour = JpegColour::Grey, .progressive = true}),
                             scans);
}

struct HostileFile {
    const char* name;
    // Writes the file into the folder and returns its path.
    std::string (*make)(const TempDir& dir);
    const char* message; // nullptr: the picture decodes
};

void PrintTo(const HostileFile& c, std::ostream* out) {
    *out << c.name;
}

std::string written(const TempDir& dir, const char* name, const std::vector<std::uint8_t>& bytes) {
    writeFile(dir / name, bytes);
    return (dir / name).string();
}

// A picture whose scan data stops at the end marker long before the picture is complete.
std::vector<std::uint8_t> dataStoppedByAMarker() {
    auto jpeg = encodeJpeg(photoLikePicture(64, 64));
    jpeg.resize(jpeg.size() / 2);
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    return jpeg;
}

std::vector<std::uint8_t> withSize(int width, int height) {
    auto jpeg = encodeJpeg(photoLikePicture(16, 16));
    patchJpegSize(jpeg, width, height);
    return jpeg;
}

const HostileFile kHostileFiles[] = {
    // 329 KB that kept the decoder busy for 3 to 7 seconds before the scans were counted.
    {"OneScanRepeated8000Times",
     [](const TempDir& dir) { return written(dir, "8000.jpg", manyScans(8000)); },
     "The JPEG file has more than 100 scans, more than any picture needs"},
    {"OneScanTooMany", [](const TempDir& dir) { return written(dir, "101.jpg", manyScans(101)); },
     "The JPEG file has more than 100 scans, more than any picture needs"},
    {"AsManyScansAsAllowed",
     [](const TempDir& dir) { return written(dir, "100.jpg", manyScans(100)); }, nullptr},
    // Found by the fuzz target: 275 bytes declaring 35,088 x 62,476 pixels, whose data stops at
    // the end marker; the missing rows were decoded grey, for minutes.
    {"GigapixelsIn275Bytes",
     [](const TempDir&) {
         return std::string(TICKWELL_IMAGE_FIXTURES "/fuzz-gigapixels-in-275-bytes.jpg");
     },
     "Picture too large: 35088 x 62476 pixels, more than the 268435456 a picture may have"},
    {"OnePixelMoreThanAllowed",
     [](const TempDir& dir) { return written(dir, "big.jpg", withSize(16385, 16384)); },
     "more than the 268435456 a picture may have"},
    {"ScanDataStoppedByTheEndMarker",
     [](const TempDir& dir) { return written(dir, "stopped.jpg", dataStoppedByAMarker()); },
     "Corrupt JPEG data: premature end of data segment"},
    {"FifoWithoutWriter",
     [](const TempDir& dir) {
         EXPECT_EQ(mkfifo((dir / "fifo.jpg").c_str(), 0600), 0);
         return (dir / "fifo.jpg").string();
     },
     "not a regular file"},
    {"Device", [](const TempDir&) { return std::string("/dev/zero"); },
     "Cannot open \"/dev/zero\": not a regular file"},
    {"Folder", [](const TempDir& dir) { return dir.path().string(); }, "not a regular file"},
};

class JpegDecoderHostileFiles : public testing::TestWithParam<HostileFile> {};

TEST_P(JpegDecoderHostileFiles, AreRefusedWithAMessageOrDecodedWithinASecond) {
    TempDir dir;
    const std::string path = GetParam().make(dir);
    std::string message = "(no error)";
    const double seconds = cpuSecondsOf([&] {
        try {
            const Bitmap24 fitted = decodeAndFit(path, {1820, 980});
            EXPECT_GT(fitted.width(), 0);
        } catch (const JpegError& error) {
            message = error.what();
        }
    });
    if (GetParam().message) {
        EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
    } else {
        EXPECT_EQ(message, "(no error)");
    }
    EXPECT_LT(seconds, 1.0) << "processor time";
}

INSTANTIATE_TEST_SUITE_P(Files, JpegDecoderHostileFiles, testing::ValuesIn(kHostileFiles),
                         [](const auto& param) { return std::string(param.param.name); });

// --- orientation ---------------------------------------------------------------------------

Orientation orientationOf(const std::vector<std::vector<std::uint8_t>>& app1) {
    const auto jpeg = encodeJpeg(photoLikePicture(16, 8), {.app1 = app1});
    return JpegDecoder::openMemory(bytesOf(jpeg)).orientation();
}

TEST(JpegDecoderOrientation, EveryValueOfTheTagInEitherByteOrder) {
    for (const bool bigEndian : {true, false}) {
        for (int value = 1; value <= 8; ++value) {
            SCOPED_TRACE(testing::Message() << value << (bigEndian ? " MM" : " II"));
            const auto exif = exifPayload({.orientation = value, .bigEndian = bigEndian});
            EXPECT_EQ(orientationOf({exif}), static_cast<Orientation>(value));
        }
    }
}

struct BrokenTagCase {
    const char* name;
    ExifRecipe exif;
};

// A tag that cannot be trusted turns nothing; the picture itself still decodes.
const BrokenTagCase kBrokenTags[] = {
    {"ValueZero", {.orientation = 0}},
    {"ValueNine", {.orientation = 9}},
    {"ValueAsLong", {.orientation = 6, .type = 4}},
    {"TwoValues", {.orientation = 6, .count = 2}},
    {"NotTiffMagic", {.orientation = 6, .magic = 43}},
    {"DirectoryBeyondTheEnd", {.orientation = 6, .directory = 0xFFFFFFF0}},
    {"DirectoryInsideTheHeader", {.orientation = 6, .directory = 2}},
    {"CutInTheTag", {.orientation = 6, .keep = 6 + 8 + 2 + 24 + 9}},
    {"CutInTheHeader", {.orientation = 6, .keep = 9}},
    {"TagPastTheDeclaredEntries", {.orientation = 6, .entries = 2}},
};

TEST(JpegDecoderOrientation, ABrokenOrMissingTagMeansNoTurn) {
    EXPECT_EQ(orientationOf({}), Orientation::Normal);
    for (const BrokenTagCase& c : kBrokenTags) {
        SCOPED_TRACE(c.name);
        const auto jpeg = encodeJpeg(photoLikePicture(16, 8), {.app1 = {exifPayload(c.exif)}});
        JpegDecoder decoder = JpegDecoder::openMemory(bytesOf(jpeg));
        EXPECT_EQ(decoder.orientation(), Orientation::Normal);
        EXPECT_EQ(decodeJpeg(decoder).width(), 16);
    }
    auto byteOrder = exifPayload({.orientation = 6});
    byteOrder[7] = 'I'; // "MI"
    EXPECT_EQ(orientationOf({byteOrder}), Orientation::Normal);
}

TEST(JpegDecoderOrientation, TheFirstExifSegmentCountsAndOtherApp1DataIsPassedOver) {
    const std::string xmp = "http://ns.adobe.com/xap/1.0/";
    const std::vector<std::uint8_t> other(xmp.begin(), xmp.end());
    EXPECT_EQ(
        orientationOf({other, exifPayload({.orientation = 8}), exifPayload({.orientation = 3})}),
        Orientation::TurnedCounterClockwise);
}

// Where the stored picture's quadrants (red, green, blue, white from the top left, row by row)
// are seen, in the same order: the tag's meaning, as cameras and viewers agree on it.
struct TurnCase {
    Orientation orientation;
    const char* seen;
};

const TurnCase kTurns[] = {
    {Orientation::Normal, "RGBW"},      {Orientation::Mirrored, "GRWB"},
    {Orientation::UpsideDown, "WBGR"},  {Orientation::UpsideDownMirrored, "BWRG"},
    {Orientation::Transposed, "RBGW"},  {Orientation::TurnedClockwise, "BRWG"},
    {Orientation::Transversed, "WGBR"}, {Orientation::TurnedCounterClockwise, "GWRB"},
};

TEST(JpegDecoderOrientation, TheTurnedPictureShowsTheQuadrantsWhereTheTagPutsThem) {
    const std::map<char, std::array<int, 3>> colours = {
        {'R', {255, 0, 0}}, {'G', {0, 255, 0}}, {'B', {0, 0, 255}}, {'W', {255, 255, 255}}};
    for (const TurnCase& c : kTurns) {
        SCOPED_TRACE(static_cast<int>(c.orientation));
        const auto exif = exifPayload({.orientation = static_cast<int>(c.orientation)});
        JpegDecoder decoder =
            JpegDecoder::openMemory(bytesOf(encodeJpeg(quadrantPicture(64, 32), {.app1 = {exif}})));
        const PixelSize seen = decoder.shownSize();
        const Bitmap24 turned = turnedPicture(decodeJpeg(decoder), decoder.orientation());
        ASSERT_EQ((PixelSize{turned.width(), turned.height()}), seen);
        EXPECT_EQ(seen.width, swapsSides(c.orientation) ? 32 : 64);
        for (int quadrant = 0; quadrant < 4; ++quadrant) {
            const auto& [red, green, blue] = colours.at(c.seen[quadrant]);
            expectColour(turned, (2 * (quadrant % 2) + 1) * seen.width / 4,
                         (2 * (quadrant / 2) + 1) * seen.height / 4, red, green, blue, 4);
        }
    }
}

// --- memory ------------------------------------------------------------------------------------

TEST(JpegDecoderMemory, HugeDeclaredPictureIsRefusedBeforeItsMemoryIsTaken) {
    auto jpeg = encodeJpeg(photoLikePicture(16, 16));
    patchJpegSize(jpeg, 16000, 16000);
    JpegDecoder decoder = JpegDecoder::openMemory(bytesOf(jpeg));
    ASSERT_EQ(decoder.width(), 16000);
    ASSERT_EQ(decoder.height(), 16000);
    try {
        // 732 MiB for the picture against a budget of 256 MiB.
        decodeJpeg(decoder, kGiB / 4);
        ADD_FAILURE() << "the picture was decoded";
    } catch (const JpegError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("too large"), std::string::npos) << message;
        EXPECT_NE(message.find("16000 x 16000"), std::string::npos) << message;
        EXPECT_NE(message.find("256 MiB"), std::string::npos) << message;
    }
}

TEST(JpegDecoderMemory, ProgressiveCoefficientsCountAgainstTheBudget) {
    constexpr std::uint64_t budget = kGiB / 2;
    auto progressive = encodeJpeg(photoLikePicture(16, 16), {.progressive = true});
    patchJpegSize(progressive, 16000, 16000);
    JpegDecoder large = JpegDecoder::openMemory(bytesOf(progressive));
    // 4:2:0 colour: 1.5 components of 2-byte coefficients per pixel.
    EXPECT_GE(large.workingMemory(), std::uint64_t{16000} * 16000 * 3);
    EXPECT_THROW(large.start(0, budget), JpegError);

    // The same size decoded in one pass needs only a few rows, and starts within the budget.
    auto baseline = encodeJpeg(photoLikePicture(16, 16));
    patchJpegSize(baseline, 16000, 16000);
    JpegDecoder streamed = JpegDecoder::openMemory(bytesOf(baseline));
    EXPECT_LT(streamed.workingMemory(), std::uint64_t{1} << 24);
    EXPECT_NO_THROW(streamed.start(0, budget));
}

TEST(JpegMemoryBudget, ReadsMemAvailableFromMeminfo) {
    const std::string meminfo = "MemTotal:       24570232 kB\n"
                                "MemFree:        20000000 kB\n"
                                "MemAvailable:   23000000 kB\n"
                                "Buffers:          100000 kB\n";
    EXPECT_EQ(parseMemAvailable(meminfo), std::uint64_t{23000000} * 1024);
    EXPECT_EQ(parseMemAvailable("MemTotal: 1000 kB\nMemFree: 500 kB\n"), std::nullopt);
    EXPECT_EQ(parseMemAvailable("MemAvailable: lots\n"), std::nullopt);
    EXPECT_EQ(parseMemAvailable("MemAvailable: 12 MB\n"), std::nullopt);
    EXPECT_GT(availableMemory(), 0u);
}

// --- strips --------------------------------------------------------------------------------

struct StripCase {
    const char* name;
    JpegRecipe recipe;
    int stripRows;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const StripCase& c, std::ostream* out) {
    *out << c.name;
}

class JpegDecoderStrips : public testing::TestWithParam<StripCase> {};

TEST_P(JpegDecoderStrips, StripByStripEqualsTheWholePicture) {
    // Odd sizes, so that the last blocks are partial.
    const auto jpeg = encodeJpeg(photoLikePicture(67, 45), GetParam().recipe);
    const Bitmap24 whole = decodeBytes(jpeg);

    JpegDecoder decoder = JpegDecoder::openMemory(bytesOf(jpeg));
    decoder.start(0);
    Bitmap24 strips(decoder.width(), decoder.height());
    const int step = GetParam().stripRows;
    while (decoder.rowsRead() < strips.height()) {
        const int first = decoder.rowsRead();
        std::vector<std::uint8_t*> rows;
        for (int y = first; y < std::min(first + step, strips.height()); ++y) {
            rows.push_back(strips.row(y));
        }
        ASSERT_EQ(decoder.readRows(rows.data(), static_cast<int>(rows.size())),
                  static_cast<int>(rows.size()));
    }
    std::uint8_t* spare[] = {strips.row(0)};
    EXPECT_EQ(decoder.readRows(spare, 1), 0) << "rows beyond the end of the picture";
    EXPECT_TRUE(strips.samePixels(whole));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, JpegDecoderStrips,
    testing::Values(StripCase{"BaselineOneRow", {}, 1}, StripCase{"BaselineFiveRows", {}, 5},
                    StripCase{"ProgressiveSevenRows", {.progressive = true}, 7},
                    StripCase{"GreyThreeRows", {.colour = JpegColour::Grey}, 3},
                    StripCase{"CmykTwentyRows", {.colour = JpegColour::CmykAdobe}, 20},
                    StripCase{"YcckOneRow", {.colour = JpegColour::Ycck}, 1}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
