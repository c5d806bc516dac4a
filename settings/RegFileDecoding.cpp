#include "settings/RegFileDecoding.h"

#include "settings/RegFileEncoding.h"

#include <algorithm>

namespace tickwell::regfile {

namespace {

bool startsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

std::variant<std::string, RegParseError> decodeUtf16Le(std::span<const std::uint8_t> bytes) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    if (bytes.size() % 2 != 0) {
        return RegParseError{lineNumberAt(units, units.size()),
                             "the UTF-16 text ends in the middle of a character"};
    }
    if (const auto bad = findUnpairedSurrogate(units)) {
        return RegParseError{lineNumberAt(units, *bad), "invalid UTF-16 text (unpaired surrogate)"};
    }
    return utf16ToUtf8(units);
}

} // namespace

std::variant<std::string, RegParseError> decodeRegFileBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    if (startsWith(bytes, {0xFF, 0xFE})) {
        auto decoded = decodeUtf16Le(bytes.subspan(2));
        if (std::holds_alternative<RegParseError>(decoded)) {
            return decoded;
        }
        text = std::move(std::get<std::string>(decoded));
    } else if (startsWith(bytes, {0xFE, 0xFF})) {
        return RegParseError{1, "UTF-16 big-endian files are not supported"};
    } else if (startsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        text.assign(bytes.begin() + 3, bytes.end());
        if (const auto bad = findInvalidUtf8(text)) {
            return RegParseError{lineNumberAt(text, *bad),
                                 "invalid UTF-8 text in a file marked as UTF-8"};
        }
    } else {
        text.assign(bytes.begin(), bytes.end());
        if (!isValidUtf8(text)) {
            text = windows1251ToUtf8(text);
        }
    }
    // A NUL would cut strings short in the store; no .reg writer puts one in a text file.
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos) {
        return RegParseError{lineNumberAt(text, nul), "NUL character in the file"};
    }
    return text;
}

} // namespace tickwell::regfile
