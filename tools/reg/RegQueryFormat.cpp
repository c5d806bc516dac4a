#include "tools/reg/RegQueryFormat.h"

#include "settings/RegFileEncoding.h"
#include "tools/reg/TerminalText.h"

#include <array>
#include <cstdio>

namespace tickwell::regtool {

namespace {

constexpr std::array<const char*, 12> kTypeNames = {
    "REG_NONE",
    "REG_SZ",
    "REG_EXPAND_SZ",
    "REG_BINARY",
    "REG_DWORD",
    "REG_DWORD_BIG_ENDIAN",
    "REG_LINK",
    "REG_MULTI_SZ",
    "REG_RESOURCE_LIST",
    "REG_FULL_RESOURCE_DESCRIPTOR",
    "REG_RESOURCE_REQUIREMENTS_LIST",
    "REG_QWORD",
};
constexpr std::uint32_t kExpandString = 2;
constexpr std::uint32_t kMultiString = 7;
constexpr std::uint32_t kQword = 11;

std::string hexDigits(const std::vector<std::uint8_t>& data) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const std::uint8_t byte : data) {
        out += digits[byte >> 4];
        out += digits[byte & 0xF];
    }
    return out;
}

std::string littleEndianNumber(const std::vector<std::uint8_t>& data) {
    unsigned long long number = 0;
    for (std::size_t i = data.size(); i-- > 0;) {
        number = (number << 8) | data[i];
    }
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", number);
    return text;
}

// Text values of the registry's own string types arrive from Windows as UTF-16LE; a list of
// REG_MULTI_SZ is shown with "\0" between its items, as the registry's tool shows it.
std::optional<std::string> utf16Text(const std::vector<std::uint8_t>& data, bool multi) {
    if (data.size() % 2 != 0) {
        return std::nullopt;
    }
    std::u16string units;
    for (std::size_t i = 0; i < data.size(); i += 2) {
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    while (!units.empty() && units.back() == u'\0') {
        units.pop_back();
    }
    if (regfile::findUnpairedSurrogate(units)) {
        return std::nullopt;
    }
    std::string text;
    std::size_t start = 0;
    while (true) {
        const std::size_t nul = units.find(u'\0', start);
        text += regfile::utf16ToUtf8(std::u16string_view(units).substr(start, nul - start));
        if (nul == std::u16string::npos || !multi) {
            return text;
        }
        text += "\\0";
        start = nul + 1;
    }
}

} // namespace

std::string typeName(std::uint32_t type) {
    if (type < kTypeNames.size()) {
        return kTypeNames[type];
    }
    char text[32];
    std::snprintf(text, sizeof text, "REG_UNKNOWN(0x%x)", static_cast<unsigned>(type));
    return text;
}

std::string formatData(const RawValue& value) {
    if (value.type == valuetype::String) {
        return std::string(value.data.begin(), value.data.end());
    }
    if ((value.type == valuetype::Dword && value.data.size() == 4) ||
        (value.type == kQword && value.data.size() == 8)) {
        return littleEndianNumber(value.data);
    }
    if (value.type == kExpandString || value.type == kMultiString) {
        if (auto text = utf16Text(value.data, value.type == kMultiString)) {
            return *text;
        }
    }
    return hexDigits(value.data);
}

std::string formatValueLine(const RawValue& value) {
    return "    " + (value.name.empty() ? std::string("(Default)") : printable(value.name)) +
           "    " + typeName(value.type) + "    " + printable(formatData(value));
}

} // namespace tickwell::regtool
