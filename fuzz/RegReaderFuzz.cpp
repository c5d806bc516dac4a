// The .reg reader on any bytes: every file is read into changes or refused with a line number
// inside the file.

#include "settings/RegFileReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto result = tickwell::regfile::parseRegFile({data, size});
    if (const auto* error = std::get_if<tickwell::regfile::RegParseError>(&result)) {
        // A line holds at least its line break; only an empty file's first line holds nothing.
        if (error->line < 1 || static_cast<std::size_t>(error->line) > size + 1) {
            std::abort();
        }
    }
    return 0;
}
