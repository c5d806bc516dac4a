#include "tools/resample/PpmFile.h"

#include "images/PictureFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

// One row of three-byte pixels with the first and third byte of each swapped.
void swapFirstAndThirdPlain(const std::uint8_t* in, std::uint8_t* out, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; i += 3) {
        out[i] = in[i + 2];
        out[i + 1] = in[i + 1];
        out[i + 2] = in[i];
    }
}

#if defined(__x86_64__) || defined(__i386__)
// The same, five pixels at a time with one byte shuffle. The sixteenth byte of each step, the
// first of the next pixel, is copied unchanged and then rewritten by the next step.
[[gnu::target("ssse3")]] void swapFirstAndThirdSsse3(const std::uint8_t* in, std::uint8_t* out,
                                                     std::size_t bytes) {
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    std::size_t i = 0;
    for (; i + 16 <= bytes; i += 15) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_shuffle_epi8(pixels, order));
    }
    swapFirstAndThirdPlain(in + i, out + i, bytes - i);
}
#endif

void swapPixelBytes(const std::uint8_t* in, std::uint8_t* out, std::size_t bytes) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3) {
        swapFirstAndThirdSsse3(in, out, bytes);
        return;
    }
#endif
    swapFirstAndThirdPlain(in, out, bytes);
}

using File = std::unique_ptr<std::FILE, PpmReader::Closer>;

// Reads the header's tokens from a file, skipping white space and comments between them.
class HeaderReader {
public:
    explicit HeaderReader(std::FILE* file) : file_(file) {}

    // The next decimal number, called `what` in the error raised when there is none.
    long long number(const char* what) {
        int c = skipSpaceAndComments();
        if (c < '0' || c > '9') {
            throw PpmError(std::string("Bad PPM header: ") + what + " expected");
        }
        long long value = 0;
        while (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            if (value > kLargest) {
                throw PpmError(std::string("Bad PPM header: ") + what + " too large");
            }
            c = std::fgetc(file_);
        }
        last_ = c;
        return value;
    }

    // After maxval comes one white-space character, then the pixels. An empty picture may end
    // right there.
    void endOfHeader() {
        if (last_ == EOF) {
            return;
        }
        if (!isSpace(last_)) {
            throw PpmError("Bad PPM header: white space expected after maxval");
        }
    }

private:
    static constexpr long long kLargest = 1'000'000'000;

    static bool isSpace(int c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

    int skipSpaceAndComments() {
        int c = std::fgetc(file_);
        while (isSpace(c) || c == '#') {
            if (c == '#') {
                while (c != '\n' && c != '\r' && c != EOF) {
                    c = std::fgetc(file_);
                }
            }
            c = std::fgetc(file_);
        }
        return c;
    }

    std::FILE* file_;
    int last_ = EOF;
};

[[noreturn]] void failToWrite(const std::string& path, int error) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    throw PpmError("Cannot write \"" + path + "\": " + std::strerror(error));
}

} // namespace

PpmReader::PpmReader(const std::string& path) : name_(path) {
    const OpenedPicture opened = openPictureFile(path);
    owned_.reset(opened.file);
    file_ = opened.file;
    if (!file_) {
        throw PpmError("Cannot open \"" + path + "\": " + opened.reason);
    }
    readHeader(opened.size);
}

PpmReader::PpmReader(std::FILE* file, std::uint64_t size, const std::string& name)
    : file_(file), name_(name) {
    readHeader(size);
}

void PpmReader::readHeader(std::uint64_t fileSize) {
    char magic[2] = {};
    if (std::fread(magic, 1, 2, file_) != 2 || magic[0] != 'P' || magic[1] != '6') {
        throw PpmError("Not a binary PPM file (P6)");
    }
    HeaderReader header(file_);
    const long long width = header.number("width");
    const long long height = header.number("height");
    const long long maxval = header.number("maxval");
    if (maxval != 255) {
        throw PpmError("PPM maxval " + std::to_string(maxval) + " is not supported (only 255)");
    }
    header.endOfHeader();
    for (const auto& [side, value] : {std::pair{"width", width}, std::pair{"height", height}}) {
        if (value > maxPictureSide) {
            throw PpmError(std::string("PPM ") + side + " " + std::to_string(value) +
                           " is larger than " + std::to_string(maxPictureSide));
        }
    }

    // The data must all be there before the bitmap is allocated: a small file cannot claim a
    // huge picture.
    const long start = std::ftell(file_);
    if (start < 0) {
        throw PpmError("Cannot read \"" + name_ + "\": " + std::strerror(errno));
    }
    const auto needed =
        static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) * 3;
    const unsigned long long available = fileSize > static_cast<unsigned long long>(start)
                                             ? fileSize - static_cast<unsigned long long>(start)
                                             : 0;
    if (available < needed) {
        throw PpmError("PPM data too short: " + std::to_string(width) + " x " +
                       std::to_string(height) + " pixels need " + std::to_string(needed) +
                       " bytes, the file has " + std::to_string(available));
    }
    size_ = {static_cast<int>(width), static_cast<int>(height)};
}

Bitmap24 PpmReader::read() {
    Bitmap24 bitmap(size_.width, size_.height);
    const auto rowBytes = static_cast<std::size_t>(size_.width) * 3;
    for (int y = 0; y < bitmap.height(); ++y) {
        if (std::fread(bitmap.row(y), 1, rowBytes, file_) != rowBytes) {
            throw PpmError("Cannot read \"" + name_ + "\": the file ended early");
        }
    }
    return bitmap;
}

void writePpm(const std::string& path, const Bitmap24& bitmap, bool swapFirstAndThird) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        throw PpmError("Cannot write \"" + path + "\": " + std::strerror(errno));
    }
    if (std::fprintf(file.get(), "P6\n%d %d\n255\n", bitmap.width(), bitmap.height()) < 0) {
        failToWrite(path, errno);
    }
    // Rows go out gathered in chunks of about 64 KiB: one system call per chunk, not per row,
    // and a buffer small enough to stay in the cache. Every fresh page of it costs a page fault
    // when first written, so it is neither larger than the picture nor filled beforehand.
    const auto rowBytes = static_cast<std::size_t>(bitmap.width()) * 3;
    const std::size_t chunkRows =
        std::min(static_cast<std::size_t>(bitmap.height()),
                 rowBytes == 0 ? std::size_t{1} : std::max<std::size_t>(1, (64 << 10) / rowBytes));
    const auto chunk = std::make_unique_for_overwrite<std::uint8_t[]>(rowBytes * chunkRows);
    for (int y = 0; y < bitmap.height();) {
        std::uint8_t* out = chunk.get();
        for (std::size_t n = 0; n < chunkRows && y < bitmap.height(); ++n, ++y) {
            const std::uint8_t* row = bitmap.row(y);
            if (swapFirstAndThird) {
                swapPixelBytes(row, out, rowBytes);
            } else {
                std::memcpy(out, row, rowBytes);
            }
            out += rowBytes;
        }
        const auto bytes = static_cast<std::size_t>(out - chunk.get());
        if (std::fwrite(chunk.get(), 1, bytes, file.get()) != bytes) {
            failToWrite(path, errno);
        }
    }
    std::FILE* raw = file.release();
    if (std::fclose(raw) != 0) {
        failToWrite(path, errno);
    }
}
