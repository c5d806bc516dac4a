#include "tools/resample/ResampleArguments.h"

#include <charconv>
#include <cmath>
#include <set>

const char* const kResampleUsage =
    "usage: tickwell-resample IN OUT [--fit WxH | --size WxH] [--kernel NAME] [--support S] "
    "[--threads N] [--ignore-orientation] [--time]";

const char* const kResampleHelp =
    "Fits a JPEG or binary PPM picture into a size, as Tickwell's image window fits it into the\n"
    "screen, or resizes it to an exact size; writes a binary PPM (P6). A JPEG picture is first\n"
    "turned as its Exif orientation tag says, as the image window shows it.\n"
    "\n"
    "  --fit WxH      fit into W x H pixels, keeping the proportions (1820x980 when not given)\n"
    "  --size WxH     resize to exactly W x H pixels\n"
    "  --kernel NAME  the resampling kernel (Lanczos3 when not given)\n"
    "  --support S    the kernel's support in source pixels (the kernel's own when not given)\n"
    "  --threads N    worker threads; 0, the default, means one per processor core\n"
    "  --ignore-orientation\n"
    "                 take a JPEG picture as stored, without turning it as its tag says\n"
    "  --time         print the decoding and resampling times and the peak memory\n"
    "  -h, --help     print this help\n"
    "  --version      print the version\n"
    "\n"
    "Exit status: 0 on success, 1 when the picture could not be read or written, 2 for a\n"
    "command line that is not understood.\n";

namespace {

// Larger supports only make every weight list longer without changing the picture's look;
// the cap keeps a mistyped value from taking all memory.
constexpr float kMaxSupport = 64.0f;
constexpr int kMaxThreads = 256;

bool parseInt(std::string_view text, int& value) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return false;
    }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

PixelSize parseSize(const std::string& option, const std::string& text) {
    const std::size_t x = text.find('x');
    PixelSize size;
    if (x == std::string::npos || !parseInt(std::string_view(text).substr(0, x), size.width) ||
        !parseInt(std::string_view(text).substr(x + 1), size.height) || size.width < 1 ||
        size.height < 1 || size.width > maxPictureSide || size.height > maxPictureSide) {
        throw UsageError(option + " wants WIDTHxHEIGHT, both at least 1 and at most " +
                         std::to_string(maxPictureSide) + ", not \"" + text + "\"");
    }
    return size;
}

const KernelTableEntry* parseKernel(const std::string& name) {
    if (const KernelTableEntry* entry = findKernel(name)) {
        return entry;
    }
    std::string names;
    for (const KernelTableEntry& entry : KernelTable) {
        names += (names.empty() ? "" : ", ") + std::string(entry.name);
    }
    throw UsageError("Unknown kernel \"" + name + "\" (one of " + names + ")");
}

float parseSupport(const std::string& text) {
    float support = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), support);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(support) || support <= 0 || support > kMaxSupport) {
        throw UsageError("--support wants a number above 0 and at most 64, not \"" + text + "\"");
    }
    return support;
}

int parseThreads(const std::string& text) {
    int threads = 0;
    if (!parseInt(text, threads) || threads > kMaxThreads) {
        throw UsageError("--threads wants a whole number from 0 (one per core) to 256, not \"" +
                         text + "\"");
    }
    return threads;
}

} // namespace

ResampleArguments parseResampleArguments(const std::vector<std::string>& arguments) {
    ResampleArguments parsed;
    std::vector<std::string> files;
    std::set<std::string> seen;
    bool supportGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            parsed.helpOnly = true;
            return parsed;
        }
        if (argument == "--version") {
            parsed.versionOnly = true;
            return parsed;
        }
        if (!argument.starts_with("--")) {
            files.push_back(argument);
            continue;
        }
        if (!seen.insert(argument).second) {
            throw UsageError(argument + " given twice");
        }
        if (argument == "--time") {
            parsed.printTimes = true;
            continue;
        }
        if (argument == "--ignore-orientation") {
            parsed.ignoreOrientation = true;
            continue;
        }
        if (argument != "--fit" && argument != "--size" && argument != "--kernel" &&
            argument != "--support" && argument != "--threads") {
            throw UsageError("Unknown option " + argument);
        }
        if (i + 1 >= arguments.size()) {
            throw UsageError(argument + " wants a value");
        }
        const std::string& value = arguments[++i];
        if (argument == "--fit" || argument == "--size") {
            parsed.size = parseSize(argument, value);
            parsed.exactSize = argument == "--size";
        } else if (argument == "--kernel") {
            parsed.kernel = parseKernel(value);
        } else if (argument == "--support") {
            parsed.support = parseSupport(value);
            supportGiven = true;
        } else {
            parsed.threads = parseThreads(value);
        }
    }
    if (seen.contains("--fit") && seen.contains("--size")) {
        throw UsageError("--fit and --size exclude each other");
    }
    if (files.size() != 2) {
        throw UsageError(std::string(kResampleUsage));
    }
    parsed.input = files[0];
    parsed.output = files[1];
    if (parsed.kernel == nullptr) {
        parsed.kernel = findKernel("Lanczos3");
    }
    if (!supportGiven) {
        parsed.support = parsed.kernel->support;
    }
    return parsed;
}
