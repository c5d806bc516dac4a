// tickwell-resample: fits a JPEG or binary PPM picture into a size, or resizes it to an exact
// size, with any kernel of the resampler, and writes a binary PPM. JPEG pictures are decoded and
// turned as the image window decodes and turns them and stream into the resampler strip by strip.
//
// Exit status 0 on success; otherwise a one-line reason on standard error and 2 for a command
// line that is not understood, 1 for anything else.

#include "images/DecodeAndFit.h"
#include "images/JpegDecoder.h"
#include "images/JpegMemoryBudget.h"
#include "images/Orientation.h"
#include "images/PictureFile.h"
#include "images/ResampleBitmap.h"
#include "program/ProgramInfo.h"
#include "tools/resample/PpmFile.h"
#include "tools/resample/ResampleArguments.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB
}

// A PPM starts with "P" and a digit; anything else, and a file that cannot be opened, goes to
// the JPEG decoder, whose message then says what the file is not.
bool looksLikePpm(const std::string& path) {
    const OpenedPicture opened = openPictureFile(path);
    if (!opened.file) {
        return false;
    }
    char start[2] = {};
    const std::size_t read = std::fread(start, 1, 2, opened.file);
    std::fclose(opened.file);
    return read == 2 && start[0] == 'P' && start[1] >= '0' && start[1] <= '9';
}

PixelSize targetSize(const ResampleArguments& arguments, PixelSize picture) {
    return arguments.exactSize ? arguments.size : fitSize(picture, arguments.size);
}

DecodeResampleTimes resampleJpeg(const ResampleArguments& arguments) {
    const ResampleOptions options{.threads = arguments.threads};
    DecodeResampleTimes times;
    // The decoder is gone before the result is written, so that the writer's buffer can reuse
    // the decoder's memory rather than take fresh pages.
    const Bitmap24 result = [&] {
        const auto started = Clock::now();
        JpegDecoder decoder = JpegDecoder::openFile(arguments.input);
        const double headerMs = millisecondsSince(started);
        if (arguments.ignoreOrientation) {
            decoder.setOrientation(Orientation::Normal);
        }
        const PixelSize size = targetSize(arguments, decoder.shownSize());
        Bitmap24 resampled =
            decodeResampled(decoder, size, arguments.kernel->kernel, arguments.support, options,
                            defaultJpegMemoryBudget(), &times);
        times.decodeMs += headerMs;
        return resampled;
    }();
    // Decoded pixels are blue, green, red; a PPM holds red, green, blue.
    writePpm(arguments.output, result, true);
    return times;
}

DecodeResampleTimes resamplePpm(const ResampleArguments& arguments) {
    DecodeResampleTimes times;
    auto started = Clock::now();
    PpmReader reader(arguments.input);
    const PixelSize source = reader.size();
    const PixelSize size = targetSize(arguments, source);
    // The source, the result and the resampler's work image (result width x source height), all
    // weighed before any of them is taken.
    const std::uint64_t needed = Bitmap24::bytesFor(source.width, source.height) +
                                 Bitmap24::bytesFor(size.width, size.height) +
                                 Bitmap24::bytesFor(size.width, source.height);
    const std::uint64_t budget = defaultJpegMemoryBudget();
    if (needed > budget) {
        throw PpmError(pictureTooLargeMessage(static_cast<std::uint64_t>(source.width),
                                              static_cast<std::uint64_t>(source.height), needed,
                                              budget));
    }
    const Bitmap24 picture = reader.read();
    times.decodeMs = millisecondsSince(started);

    started = Clock::now();
    Bitmap24 result(size.width, size.height);
    ResampleBitmap(picture, result, arguments.kernel->kernel, arguments.support,
                   {.threads = arguments.threads});
    times.resampleMs = millisecondsSince(started);
    // The bytes go out in the order they came in.
    writePpm(arguments.output, result, false);
    return times;
}

// Messages become one line, whatever their source put in them.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const ResampleArguments arguments =
            parseResampleArguments(std::vector<std::string>(argv + 1, argv + argc));
        if (arguments.helpOnly) {
            std::cout << kResampleUsage << "\n\n" << kResampleHelp;
            return 0;
        }
        if (arguments.versionOnly) {
            std::cout << "tickwell-resample " << tickwell::program::version << '\n';
            return 0;
        }
        const auto started = Clock::now();
        const DecodeResampleTimes times =
            looksLikePpm(arguments.input) ? resamplePpm(arguments) : resampleJpeg(arguments);
        if (arguments.printTimes) {
            std::printf("decode %.1f ms, resample %.1f ms, total %.1f ms, peak memory %.1f MiB\n",
                        times.decodeMs, times.resampleMs, millisecondsSince(started),
                        peakMemoryMiB());
        }
        return 0;
    } catch (const UsageError& error) {
        std::cerr << "tickwell-resample: " << oneLine(error.what()) << '\n';
        return 2;
    } catch (const std::bad_alloc&) {
        std::cerr << "tickwell-resample: Not enough memory\n";
    } catch (const std::exception& error) {
        std::cerr << "tickwell-resample: " << oneLine(error.what()) << '\n';
    }
    return 1;
}
