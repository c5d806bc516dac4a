#pragma once

// Turns the bytes of a .reg file into UTF-8 text. The encoding follows from the byte-order mark:
// FF FE is UTF-16LE (what the registry editor writes), EF BB BF is UTF-8. Without a mark the
// text is UTF-8 when it is valid UTF-8, otherwise Windows-1251.

#include "settings/RegFileTypes.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>

namespace tickwell::regfile {

std::variant<std::string, RegParseError> decodeRegFileBytes(std::span<const std::uint8_t> bytes);

// The 1-based line number of position `pos`; CR LF, lone CR and lone LF each end a line.
template <typename Text> int lineNumberAt(const Text& text, std::size_t pos) {
    int line = 1;
    for (std::size_t i = 0; i < pos && i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

} // namespace tickwell::regfile
