#include "settings/NameFold.h"

#include <cstdint>

namespace tickwell {

namespace {

// Pairs in which the upper-case letter sits at the even code point and the lower-case letter
// right after it.
bool isEvenUpperPair(char32_t c) {
    return (c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) ||
           (c >= 0x014A && c <= 0x0177) || (c >= 0x0460 && c <= 0x0481) ||
           (c >= 0x048A && c <= 0x04BF) || (c >= 0x04D0 && c <= 0x052F) ||
           (c >= 0x03D8 && c <= 0x03EF);
}

// Pairs in which the upper-case letter sits at the odd code point.
bool isOddUpperPair(char32_t c) {
    return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E) ||
           (c >= 0x04C1 && c <= 0x04CE);
}

struct Decoded {
    char32_t codePoint;
    std::size_t length; // 0 when the bytes at the position are not valid UTF-8
};

Decoded decodeAt(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<std::uint8_t>(s[i]);
    if (b0 < 0x80) {
        return {b0, 1};
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        cp = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        cp = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        cp = b0 & 0x07;
        minimum = 0x10000;
    } else {
        return {0, 0};
    }
    if (i + length > s.size()) {
        return {0, 0};
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<std::uint8_t>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            return {0, 0};
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return {0, 0};
    }
    return {cp, length};
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

char32_t upperCaseOf(char32_t c) {
    if (c >= U'a' && c <= U'z') {
        return c - 0x20;
    }
    if (c < 0x80) {
        return c;
    }
    // Latin-1: à..þ except the division sign; ÿ goes to Ÿ in Latin Extended-A.
    if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) {
        return c - 0x20;
    }
    if (c == 0x00FF) {
        return 0x0178;
    }
    if (isEvenUpperPair(c)) {
        return c & ~char32_t{1};
    }
    if (isOddUpperPair(c)) {
        return (c & 1) ? c : c - 1;
    }
    // Greek.
    if ((c >= 0x03B1 && c <= 0x03C1) || (c >= 0x03C3 && c <= 0x03CB)) {
        return c - 0x20;
    }
    switch (c) {
    case 0x03C2: // final sigma
        return 0x03A3;
    case 0x03AC:
        return 0x0386;
    case 0x03AD:
    case 0x03AE:
    case 0x03AF:
        return c - 0x25;
    case 0x03CC:
        return 0x038C;
    case 0x03CD:
    case 0x03CE:
        return c - 0x3F;
    case 0x04CF:
        return 0x04C0;
    default:
        break;
    }
    // Cyrillic: а..я, then ѐ..џ.
    if (c >= 0x0430 && c <= 0x044F) {
        return c - 0x20;
    }
    if (c >= 0x0450 && c <= 0x045F) {
        return c - 0x50;
    }
    return c;
}

std::string foldName(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = decodeAt(utf8, i);
        if (d.length == 0) {
            out += utf8[i];
            ++i;
            continue;
        }
        appendUtf8(out, upperCaseOf(d.codePoint));
        i += d.length;
    }
    return out;
}

std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = decodeAt(utf8, i);
        if (d.length == 0) {
            ++units;
            ++i;
            continue;
        }
        units += d.codePoint >= 0x10000 ? 2 : 1;
        i += d.length;
    }
    return units;
}

} // namespace tickwell
