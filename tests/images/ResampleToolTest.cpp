// tickwell-resample run as a real process, its output compared with the library in-process.

#include "JpegTestFiles.h"
#include "images/FitSize.h"
#include "images/JpegDecoder.h"
#include "images/Orientation.h"
#include "images/ResampleBitmap.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <regex>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class ResampleTool : public testing::Test {
protected:
    ToolRun run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), TICKWELL_RESAMPLE_TOOL);
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        const std::string outPath = (dir / "stdout.txt").string();
        const std::string errPath = (dir / "stderr.txt").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ToolRun result;
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << argv[0];
            return result;
        }
        // A tool that hangs fails the test instead of holding up the run.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid, SIGKILL);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        const auto out = readFile(outPath);
        const auto err = readFile(errPath);
        result.out.assign(out.begin(), out.end());
        result.err.assign(err.begin(), err.end());
        return result;
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    void writePpmFile(const std::string& name, const std::string& header,
                      const std::vector<std::uint8_t>& pixels) {
        std::vector<std::uint8_t> bytes(header.begin(), header.end());
        bytes.insert(bytes.end(), pixels.begin(), pixels.end());
        writeFile(dir / name, bytes);
    }

    // The pixel bytes of a PPM written by the tool, after checking its header.
    std::vector<std::uint8_t> readOutput(const std::string& name, int width, int height) {
        const auto bytes = readFile(dir / name);
        const std::string header =
            "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
        EXPECT_GE(bytes.size(), header.size());
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                 header.size(), bytes.size()))),
                  header);
        return {bytes.begin() + static_cast<std::ptrdiff_t>(std::min(header.size(), bytes.size())),
                bytes.end()};
    }

    // Expects exit status `refusalStatus`, one line on standard error naming `reason`, and no
    // output file.
    void expectRefusal(const std::vector<std::string>& arguments, const std::string& reason) {
        const ToolRun result = run(arguments);
        EXPECT_EQ(result.status, refusalStatus) << result.err;
        EXPECT_TRUE(result.err.starts_with("tickwell-resample: ")) << result.err;
        EXPECT_NE(result.err.find(reason), std::string::npos)
            << "expected \"" << reason << "\" in: " << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.ppm"));
    }

    TempDir dir;
    // 1 for a picture that cannot be read or written, 2 for a command line not understood.
    int refusalStatus = 1;
};

Bitmap24 resampled(const Bitmap24& source, PixelSize size, KernelFunction kernel = lanczos3Kernel,
                   float support = 3.0f) {
    Bitmap24 result(size.width, size.height);
    ResampleBitmap(source, result, kernel, support);
    return result;
}

TEST_F(ResampleTool, JpegIsFittedAndWrittenAsRedGreenBlue) {
    writeFile(dir / "in.jpg", encodeJpeg(quadrantPicture(400, 300)));
    const ToolRun result = run({path("in.jpg"), path("out.ppm"), "--fit", "200x100"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");

    const auto pixels = readOutput("out.ppm", 133, 100);
    EXPECT_EQ(pixels, rgbBytesOf(resampled(decodeJpegFile(path("in.jpg")), {133, 100})));
    // The top-left quadrant is red: in a PPM the first byte of a pixel is red.
    const std::size_t pixel = (25 * 133 + 33) * 3;
    ASSERT_GT(pixels.size(), pixel + 2);
    EXPECT_GT(pixels[pixel], 240);
    EXPECT_LT(pixels[pixel + 2], 15);
}

TEST_F(ResampleTool, JpegIsTurnedAsItsTagSaysUnlessTheTagIsIgnored) {
    const auto exif = exifPayload({.orientation = static_cast<int>(Orientation::TurnedClockwise)});
    writeFile(dir / "in.jpg", encodeJpeg(photoLikePicture(900, 600), {.app1 = {exif}}));
    const Bitmap24 stored = decodeJpegFile(path("in.jpg"));

    ASSERT_EQ(run({path("in.jpg"), path("turned.ppm")}).status, 0);
    EXPECT_EQ(
        readOutput("turned.ppm", 600, 900),
        rgbBytesOf(resampled(turnedPicture(stored, Orientation::TurnedClockwise), {600, 900})));

    ASSERT_EQ(run({path("in.jpg"), path("stored.ppm"), "--ignore-orientation"}).status, 0);
    EXPECT_EQ(readOutput("stored.ppm", 900, 600), rgbBytesOf(resampled(stored, {900, 600})));
    EXPECT_NE(run({"--help"}).out.find("--ignore-orientation"), std::string::npos);
}

TEST_F(ResampleTool, DefaultFitKeepsASmallPictureAndThreadsChangeNoByte) {
    writeFile(dir / "in.jpg", encodeJpeg(photoLikePicture(64, 48), {.progressive = true}));
    ASSERT_EQ(run({path("in.jpg"), path("one.ppm"), "--threads", "1"}).status, 0);
    ASSERT_EQ(run({path("in.jpg"), path("three.ppm"), "--threads", "3"}).status, 0);
    const auto one = readOutput("one.ppm", 64, 48);
    EXPECT_EQ(one, rgbBytesOf(resampled(decodeJpegFile(path("in.jpg")), {64, 48})));
    EXPECT_EQ(readOutput("three.ppm", 64, 48), one);
}

TEST_F(ResampleTool, PpmBytesPassThroughInTheirOrder) {
    const RgbPicture picture = photoLikePicture(90, 60);
    writePpmFile("in.ppm", "P6\n# made by the test\n90 # width\n60\n# maxval next\n255\n",
                 picture.rgb);
    const ToolRun result = run({path("in.ppm"), path("out.ppm"), "--size", "50x70"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readOutput("out.ppm", 50, 70),
              packedBytesOf(resampled(bitmapOfBytes(90, 60, picture.rgb), {50, 70})));
}

TEST_F(ResampleTool, ResultsOfSeveralWriteChunksGoOutWhole) {
    // 301 x 250 pixels are 225,750 bytes: three whole chunks of 72 rows and a part of one, in
    // the order the PPM came in and swapped to red, green, blue for a JPEG.
    const RgbPicture picture = photoLikePicture(90, 60);
    writePpmFile("in.ppm", "P6\n90 60\n255\n", picture.rgb);
    ASSERT_EQ(run({path("in.ppm"), path("out.ppm"), "--size", "301x250"}).status, 0);
    EXPECT_EQ(readOutput("out.ppm", 301, 250),
              packedBytesOf(resampled(bitmapOfBytes(90, 60, picture.rgb), {301, 250})));

    writeFile(dir / "in.jpg", encodeJpeg(photoLikePicture(120, 80)));
    ASSERT_EQ(run({path("in.jpg"), path("out.ppm"), "--size", "301x250"}).status, 0);
    EXPECT_EQ(readOutput("out.ppm", 301, 250),
              rgbBytesOf(resampled(decodeJpegFile(path("in.jpg")), {301, 250})));
}

TEST_F(ResampleTool, EveryKernelByNameWithItsOwnOrAGivenSupport) {
    const RgbPicture picture = photoLikePicture(31, 23);
    writePpmFile("in.ppm", "P6 31 23 255\n", picture.rgb);
    const Bitmap24 source = bitmapOfBytes(31, 23, picture.rgb);
    for (const KernelTableEntry& entry : KernelTable) {
        const std::string name(entry.name);
        ASSERT_EQ(
            run({path("in.ppm"), path(name + ".ppm"), "--kernel", name, "--size", "17x40"}).status,
            0)
            << name;
        EXPECT_EQ(readOutput(name + ".ppm", 17, 40),
                  packedBytesOf(resampled(source, {17, 40}, entry.kernel, entry.support)))
            << name;
    }
    ASSERT_EQ(run({path("in.ppm"), path("wide.ppm"), "--support", "1.5", "--size", "17x40"}).status,
              0);
    EXPECT_EQ(readOutput("wide.ppm", 17, 40),
              packedBytesOf(resampled(source, {17, 40}, lanczos3Kernel, 1.5f)));
}

TEST_F(ResampleTool, TimePrintsDecodeResampleAndPeakMemory) {
    writeFile(dir / "in.jpg", encodeJpeg(photoLikePicture(64, 48)));
    const ToolRun result = run({path("in.jpg"), path("out.ppm"), "--time"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::regex_match(result.out,
                                 std::regex("decode [0-9.]+ ms, resample [0-9.]+ ms, total [0-9.]+ "
                                            "ms, peak memory [0-9.]+ MiB\n")))
        << result.out;
}

TEST_F(ResampleTool, BadArgumentsAreRefusedInOneLine) {
    refusalStatus = 2;
    writeFile(dir / "in.jpg", encodeJpeg(photoLikePicture(16, 16)));
    const std::string in = path("in.jpg");
    const std::string out = path("out.ppm");
    expectRefusal({}, "usage:");
    expectRefusal({in}, "usage:");
    expectRefusal({in, out, "extra"}, "usage:");
    expectRefusal({in, out, "--fast"}, "Unknown option --fast");
    expectRefusal({in, out, "--fit"}, "--fit wants a value");
    expectRefusal({in, out, "--fit", "1820"}, "--fit wants WIDTHxHEIGHT");
    expectRefusal({in, out, "--size", "0x10"}, "--size wants WIDTHxHEIGHT");
    expectRefusal({in, out, "--size", "10x-3"}, "--size wants WIDTHxHEIGHT");
    expectRefusal({in, out, "--size", "99999999999x10"}, "--size wants WIDTHxHEIGHT");
    expectRefusal({in, out, "--size", "65536x10"}, "at most 65535");
    expectRefusal({in, out, "--fit", "10x65536"}, "at most 65535");
    expectRefusal({in, out, "--fit", "10x10", "--size", "10x10"}, "exclude each other");
    expectRefusal({in, out, "--kernel", "lanczos3"}, "Unknown kernel \"lanczos3\"");
    expectRefusal({in, out, "--support", "0"}, "--support wants a number");
    expectRefusal({in, out, "--support", "nan"}, "--support wants a number");
    expectRefusal({in, out, "--support", "1e9"}, "--support wants a number");
    expectRefusal({in, out, "--threads", "two"}, "--threads wants a whole number");
    expectRefusal({in, out, "--time", "--time"}, "--time given twice");
}

TEST_F(ResampleTool, BadFilesAreRefusedInOneLine) {
    const std::string out = path("out.ppm");
    expectRefusal({path("absent.jpg"), out}, "No such file");

    writeFile(dir / "text.jpg", {'h', 'e', 'l', 'l', 'o'});
    expectRefusal({path("text.jpg"), out}, "Not a JPEG file: starts with 0x68 0x65");

    auto cut = encodeJpeg(photoLikePicture(64, 64));
    cut.resize(cut.size() / 2);
    writeFile(dir / "cut.jpg", cut);
    expectRefusal({path("cut.jpg"), out}, "Premature end of JPEG file");

    const std::vector<std::uint8_t> pixels(4 * 4 * 3, 128);
    writePpmFile("plain.ppm", "P3 4 4 255\n", pixels);
    expectRefusal({path("plain.ppm"), out}, "Not a binary PPM file (P6)");
    writePpmFile("deep.ppm", "P6 4 4 65535\n", pixels);
    expectRefusal({path("deep.ppm"), out}, "maxval 65535 is not supported");
    writePpmFile("noheight.ppm", "P6 4 # no height\n", {});
    expectRefusal({path("noheight.ppm"), out}, "Bad PPM header: height expected");
    writePpmFile("joined.ppm", "P6 4 4 255", pixels);
    expectRefusal({path("joined.ppm"), out}, "white space expected after maxval");
    writePpmFile("short.ppm", "P6 4 4 255\n", std::vector<std::uint8_t>(20, 1));
    expectRefusal({path("short.ppm"), out}, "PPM data too short");
    writePpmFile("huge.ppm", "P6 65500 65500 255\n", pixels);
    expectRefusal({path("huge.ppm"), out}, "PPM data too short");
    // Sparse files that hold all the data they claim, without a byte of it on disk: the first
    // was read into a 12 GB allocation; the second needs 36 GiB for its source, result and
    // work image, more than any machine these tests run on has at hand.
    writePpmFile("wide.ppm", "P6\n100000 40000\n255\n", {});
    std::filesystem::resize_file(dir / "wide.ppm", std::uintmax_t{100000} * 40000 * 3 + 20);
    expectRefusal({path("wide.ppm"), out}, "PPM width 100000 is larger than 65535");
    writePpmFile("largest.ppm", "P6\n65535 65535\n255\n", {});
    std::filesystem::resize_file(dir / "largest.ppm", std::uintmax_t{65535} * 65535 * 3 + 20);
    expectRefusal({path("largest.ppm"), out, "--size", "65535x65535"}, "Picture too large");

    // Not regular files: refused at once, never waited on or read without end.
    ASSERT_EQ(mkfifo(path("fifo.ppm").c_str(), 0600), 0);
    expectRefusal({path("fifo.ppm"), out}, "not a regular file");
    expectRefusal({"/dev/zero", out}, "not a regular file");

    writeFile(dir / "in.jpg", encodeJpeg(photoLikePicture(16, 16)));
    expectRefusal({path("in.jpg"), path("missing-folder/out.ppm")}, "Cannot write");
}

TEST_F(ResampleTool, EmptyPpmIsTooSmallASource) {
    writePpmFile("empty.ppm", "P6 0 0 255", {});
    expectRefusal({path("empty.ppm"), path("out.ppm")}, "Source bitmap too small");
    writePpmFile("flat.ppm", "P6 5 0 255\n", {});
    expectRefusal({path("flat.ppm"), path("out.ppm"), "--size", "3x3"}, "Source bitmap too small");
}

} // namespace
