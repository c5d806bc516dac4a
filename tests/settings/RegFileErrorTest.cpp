// Malformed files: each fault is refused with the line that holds it and a reason, and no
// change at all comes back.

#include "RegFileTestSupport.h"

#include <gtest/gtest.h>

namespace tickwell::regfile {
namespace {

using namespace test;

struct Malformed {
    const char* name;
    std::string file; // UTF-8 text unless `raw` is set
    int line;
    const char* reasonPart;
    bool raw = false;
};

const std::string kHead = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n";

std::string longName(std::size_t length) {
    return std::string(length, 'n');
}

// `count` keys named `name`, each below the one before.
std::string keyChain(const std::string& name, std::size_t count) {
    std::string path = name;
    for (std::size_t i = 1; i < count; ++i) {
        path += "\\" + name;
    }
    return path;
}

const Malformed kCases[] = {
    {"UnterminatedStringAtEnd", kHead + "\"a\"=\"x\"\r\n\"b\"=\"never closed\r\n", 5,
     "unterminated string"},
    {"UnterminatedStringBeforeNextValue", kHead + "\"a\"=\"open\r\n\"b\"=dword:00000001\r\n", 4,
     "unterminated string"},
    {"UnterminatedValueName", kHead + "\"abc=dword:00000001\r\n", 4, "unterminated value name"},
    {"TextAfterClosingQuote", kHead + "\"a\"=\"x\" y\r\n", 4, "after the closing"},
    {"BadEscape", kHead + "\"a\"=\"x\\ty\"\r\n", 4, "unknown escape '\\t'"},
    {"BadEscapeInName", kHead + "\"a\\q\"=\"x\"\r\n", 4, "unknown escape '\\q'"},
    {"BadHexDigit", kHead + "\"a\"=hex:01,0g\r\n", 4, "'g' is not a hex digit"},
    {"BadHexDigitOnContinuationLine", kHead + "\"a\"=hex:01,02,\\\r\n  03,\\\r\n  04,zz\r\n", 6,
     "not a hex digit"},
    {"HexByteTooLong", kHead + "\"a\"=hex:012\r\n", 4, "more than two hex digits"},
    {"HexMissingByte", kHead + "\"a\"=hex:01,,02\r\n", 4, "missing hex digits"},
    {"HexTrailingComma", kHead + "\"a\"=hex:01,\r\n", 4, "missing hex digits"},
    {"HexBytesWithoutComma", kHead + "\"a\"=hex:01 02\r\n", 4, "expected ','"},
    {"BadHexType", kHead + "\"a\"=hex(z):01\r\n", 4, "hex(N)"},
    {"HexTypeWithoutClose", kHead + "\"a\"=hex(2:01\r\n", 4, "hex(N)"},
    {"OddUtf16String", kHead + "\"a\"=hex(1):41,00,42\r\n", 4, "even number of bytes"},
    {"NulInsideUtf16String", kHead + "\"a\"=hex(1):41,00,00,00,42,00,00,00\r\n", 4, "NUL"},
    {"UnpairedSurrogateInHex1", kHead + "\"a\"=hex(1):00,d8,41,00\r\n", 4, "invalid UTF-16"},
    {"DwordNotHex", kHead + "\"a\"=dword:0000002g\r\n", 4, "'g' is not a hex digit"},
    {"DwordTooLong", kHead + "\"a\"=dword:000000001\r\n", 4, "1 to 8 hex digits"},
    {"DwordEmpty", kHead + "\"a\"=dword:\r\n", 4, "1 to 8 hex digits"},
    {"DwordNegative", kHead + "\"a\"=dword:-1\r\n", 4, "not a hex digit"},
    {"UnknownData", kHead + "\"a\"=42\r\n", 4, "value data must be"},
    {"MissingEquals", kHead + "\"a\" \"x\"\r\n", 4, "missing '='"},
    {"MissingEqualsAfterDefault", kHead + "@\"x\"\r\n", 4, "missing '='"},
    {"ValueBeforeAnySection",
     "Windows Registry Editor Version 5.00\r\n\r\n\"a\"=\"x\"\r\n[HKEY_LOCAL_MACHINE\\K]\r\n", 3,
     "before any [key] section"},
    {"ValueUnderDeletedKey",
     "Windows Registry Editor Version 5.00\r\n[-HKEY_LOCAL_MACHINE\\K]\r\n\"a\"=\"x\"\r\n", 3,
     "deletes its key"},
    {"SectionWithoutClosingBracket", kHead + "[HKEY_LOCAL_MACHINE\\L\r\n", 4, "closing ']'"},
    {"SectionWithEmptyComponent", kHead + "[HKEY_LOCAL_MACHINE\\A\\\\B]\r\n", 4, "empty key name"},
    {"EmptySection", kHead + "[]\r\n", 4, "names no key"},
    {"EmptyDeleteSection", kHead + "[-]\r\n", 4, "names no key"},
    {"UnknownRoot", kHead + "[HKEY_CLASSES_ROOT\\.txt]\r\n", 4, "unknown root 'HKEY_CLASSES_ROOT'"},
    {"UnknownRootInDelete", kHead + "[-HKEY_USERS\\S-1-5]\r\n", 4, "unknown root 'HKEY_USERS'"},
    {"RootDeletion", kHead + "[-HKEY_LOCAL_MACHINE]\r\n", 4, "root cannot be deleted"},
    {"KeyNameTooLong", kHead + "[HKEY_LOCAL_MACHINE\\" + longName(256) + "]\r\n", 4,
     "longer than 255"},
    {"KeyOneLevelTooDeep", kHead + "[HKEY_CURRENT_USER\\" + keyChain("a", 513) + "]\r\n", 4,
     "deeper than 512 levels"},
    // The 120 KB file whose 60,000 levels imported and then could be neither listed nor exported.
    {"SixtyThousandLevels", kHead + "[HKEY_CURRENT_USER\\" + keyChain("a", 60000) + "]\r\n", 4,
     "deeper than 512 levels"},
    {"KeyPathTooLong", kHead + "[HKEY_CURRENT_USER\\" + keyChain(longName(255), 129) + "]\r\n", 4,
     "longer than 32767 characters"},
    {"KeyNameWithControlCharacter", kHead + "[HKEY_CURRENT_USER\\a\x1B[31mred]\r\n", 4,
     "control character"},
    {"ValueNameTooLong", kHead + "\"" + longName(16384) + "\"=\"x\"\r\n", 4, "longer than 16383"},
    {"StrayText", kHead + "name=value\r\n", 4, "expected a [key] section"},
    {"BadHeader", "Windows Registry Editor Version 6.00\r\n[HKEY_LOCAL_MACHINE\\K]\r\n", 1,
     "first line must be"},
    {"HeaderNotFirst", "\r\nREGEDIT4\r\n", 1, "first line must be"},
    {"EmptyFile", "", 1, "first line must be"},
    {"DanglingContinuationAtEnd", kHead + "\"a\"=hex:01,\\\r\n", 4, "the file ends after it"},
    {"ContinuationBeforeBlankLine", kHead + "\"a\"=hex:01,\\\r\n\r\n\"b\"=dword:1\r\n", 4,
     "a blank line follows"},
    {"NulCharacter", kHead + std::string("\"a\"=\"x\0y\"\r\n", 11), 4, "NUL character"},
    {"InvalidUtf8AfterUtf8Mark",
     "\xEF\xBB\xBFREGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"a\"=\"\xC3\"", 3, "invalid UTF-8", true},
    {"OddLengthUtf16", std::string("\xFF\xFER\0E\0G\0\n\0X", 11), 2, "middle of a character", true},
    {"UnpairedSurrogateInFile", std::string("\xFF\xFER\0\n\0\x00\xD8", 8), 2, "unpaired surrogate",
     true},
    {"BigEndianUtf16", std::string("\xFE\xFF\0R", 4), 1, "big-endian", true},
};

class RegFileMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(RegFileMalformed, IsRefusedWithItsLineAndReason) {
    const Malformed& c = GetParam();
    const RegParseError error = parseFails(bytesOf(c.file));
    EXPECT_EQ(error.line, c.line) << error.reason;
    EXPECT_NE(error.reason.find(c.reasonPart), std::string::npos) << error.reason;
    // The same fault in the registry editor's own encoding is found on the same line.
    if (!c.raw) {
        const RegParseError utf16Error = parseFails(utf16File(c.file));
        EXPECT_EQ(utf16Error, error);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RegFileMalformed, ::testing::ValuesIn(kCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace tickwell::regfile
