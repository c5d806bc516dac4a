#pragma once

// Text conversions between the store's UTF-8 strings and the encodings a .reg file may use:
// UTF-16LE (what the registry editor writes) and Windows-1251 (older Russian ANSI files).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tickwell::regfile {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. The position of the
// first byte that breaks it, or nothing when the whole text is valid.
std::optional<std::size_t> findInvalidUtf8(std::string_view text);
inline bool isValidUtf8(std::string_view text) {
    return !findInvalidUtf8(text);
}

// Expects valid UTF-8 (check with isValidUtf8 first); each code point becomes one or two
// UTF-16 code units.
std::u16string utf8ToUtf16(std::string_view utf8);

// The position of the first unpaired surrogate, or nothing when every surrogate is paired.
std::optional<std::size_t> findUnpairedSurrogate(std::u16string_view text);

// Expects text without unpaired surrogates (check with findUnpairedSurrogate first).
std::string utf16ToUtf8(std::u16string_view text);

// Every byte of Windows-1251 has a meaning except 0x98, which becomes U+0098 so that no byte
// is lost.
std::string windows1251ToUtf8(std::string_view text);

// Appends one code point as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// The control characters: C0 (below U+0020), DEL (U+007F) and C1 (U+0080 to U+009F). Names never
// hold them, and nothing prints them raw: a terminal takes some of them as commands.
constexpr bool isControlCharacter(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

// Whether valid UTF-8 text holds a control character.
bool holdsControlCharacter(std::string_view utf8);

} // namespace tickwell::regfile
