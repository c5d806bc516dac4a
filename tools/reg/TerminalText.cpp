#include "tools/reg/TerminalText.h"

#include "settings/RegFileEncoding.h"

namespace tickwell::regtool {

namespace {

void appendEscape(std::string& out, unsigned value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    switch (value) {
    case 0:
        out += "\\0";
        return;
    case '\t':
        out += "\\t";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    default:
        out += "\\x";
        out += digits[(value >> 4) & 0xF];
        out += digits[value & 0xF];
    }
}

} // namespace

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const auto bad = regfile::findInvalidUtf8(text);
        const std::string_view valid = text.substr(0, bad.value_or(text.size()));
        for (std::size_t i = 0; i < valid.size(); ++i) {
            const auto byte = static_cast<unsigned char>(valid[i]);
            if (byte < 0x80 && regfile::isControlCharacter(byte)) {
                appendEscape(out, byte);
            } else if (byte == 0xC2 && i + 1 < valid.size() &&
                       regfile::isControlCharacter(static_cast<unsigned char>(valid[i + 1]))) {
                // C1: U+0080 to U+009F, two bytes in UTF-8.
                appendEscape(out, static_cast<unsigned char>(valid[++i]));
            } else {
                out += valid[i];
            }
        }
        if (!bad) {
            break;
        }
        appendEscape(out, static_cast<unsigned char>(text[*bad]));
        text.remove_prefix(*bad + 1);
    }
    return out;
}

} // namespace tickwell::regtool
