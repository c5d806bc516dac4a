// The PPM reader on any bytes: a header is read or refused, and the pixels the header promises
// are there to read.

#include "tools/resample/PpmFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0; // a stream on no memory cannot be opened
    }
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!file) {
        std::abort();
    }
    std::optional<PpmReader> reader;
    try {
        reader.emplace(file, size, "fuzz input");
    } catch (const PpmError&) {
        std::fclose(file);
        return 0;
    }
    // A header that was accepted promises its pixels: reading them must not fail.
    const Bitmap24 bitmap = reader->read();
    if (bitmap.width() != reader->size().width || bitmap.height() != reader->size().height) {
        std::abort();
    }
    std::fclose(file);
    return 0;
}
