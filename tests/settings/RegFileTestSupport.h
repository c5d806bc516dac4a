#pragma once

// Helpers for the .reg tests: file bytes in each encoding, and parse results that fail the test
// when they are not what the test expects.

#include "settings/RegFileEncoding.h"
#include "settings/RegFileReader.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace tickwell::regfile::test {

inline std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

// The text (given as UTF-8) as UTF-16LE with a byte-order mark.
inline std::vector<std::uint8_t> utf16File(std::string_view utf8) {
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    for (const char16_t unit : utf8ToUtf16(utf8)) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

// A UTF-16LE file with a byte-order mark, back as UTF-8 text (for readable comparisons).
inline std::string textOfUtf16File(const std::vector<std::uint8_t>& bytes) {
    EXPECT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(bytes.size() % 2, 0u);
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return utf16ToUtf8(units);
}

inline std::vector<RegChange> parseOk(const std::vector<std::uint8_t>& bytes) {
    RegParseResult result = parseRegFile(bytes);
    if (const auto* error = std::get_if<RegParseError>(&result)) {
        ADD_FAILURE() << "refused at line " << error->line << ": " << error->reason;
        return {};
    }
    return std::get<std::vector<RegChange>>(result);
}

inline RegParseError parseFails(const std::vector<std::uint8_t>& bytes) {
    RegParseResult result = parseRegFile(bytes);
    if (!std::holds_alternative<RegParseError>(result)) {
        ADD_FAILURE() << "accepted a malformed file";
        return {};
    }
    return std::get<RegParseError>(result);
}

inline std::vector<std::uint8_t> dword(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

inline RegChange createKey(Root root, std::string path) {
    return {RegChange::Kind::CreateKey, {root, std::move(path)}, {}, 0, {}};
}

inline RegChange setValue(Root root, std::string path, std::string name, std::uint32_t type,
                          std::vector<std::uint8_t> data) {
    return {
        RegChange::Kind::SetValue, {root, std::move(path)}, std::move(name), type, std::move(data)};
}

inline RegChange setString(Root root, std::string path, std::string name, std::string_view text) {
    return setValue(root, std::move(path), std::move(name), valuetype::String, bytesOf(text));
}

} // namespace tickwell::regfile::test
