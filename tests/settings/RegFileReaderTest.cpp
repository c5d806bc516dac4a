// Reading .reg files: every accepted encoding and header, the escapes, the value forms, and the
// changes that delete.

#include "RegFileTestSupport.h"

#include <gtest/gtest.h>

namespace tickwell::regfile {
namespace {

using namespace test;

constexpr Root HKLM = Root::LocalMachine;
constexpr Root HKCU = Root::CurrentUser;

// The same small file, as each encoding would carry it.
const char* const kCyrillicBody = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Заметки]\r\n"
                                  "\"имя\"=\"Полить цветы ёлки\"\r\n";

std::vector<RegChange> expectedCyrillicChanges() {
    return {createKey(HKLM, "SOFTWARE\\Tickwell2\\Заметки"),
            setString(HKLM, "SOFTWARE\\Tickwell2\\Заметки", "имя", "Полить цветы ёлки")};
}

// The body above in Windows-1251: every Cyrillic letter is one byte.
std::vector<std::uint8_t> cyrillicBodyIn1251(std::string_view header) {
    std::string bytes(header);
    bytes += "\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\";
    bytes += "\xC7\xE0\xEC\xE5\xF2\xEA\xE8"; // Заметки
    bytes += "]\r\n\"";
    bytes += "\xE8\xEC\xFF"; // имя
    bytes += "\"=\"";
    bytes += "\xCF\xEE\xEB\xE8\xF2\xFC \xF6\xE2\xE5\xF2\xFB \xB8\xEB\xEA\xE8"; // Полить цветы ёлки
    bytes += "\"\r\n";
    return bytesOf(bytes);
}

TEST(RegFileReaderEncodings, ReadsEveryAcceptedEncodingAlike) {
    const std::string file =
        std::string("Windows Registry Editor Version 5.00\r\n\r\n") + kCyrillicBody;
    EXPECT_EQ(parseOk(utf16File(file)), expectedCyrillicChanges()) << "UTF-16LE with BOM";
    EXPECT_EQ(parseOk(bytesOf("\xEF\xBB\xBF" + file)), expectedCyrillicChanges()) << "UTF-8 BOM";
    EXPECT_EQ(parseOk(bytesOf(file)), expectedCyrillicChanges()) << "UTF-8 without BOM";
    EXPECT_EQ(parseOk(cyrillicBodyIn1251("Windows Registry Editor Version 5.00")),
              expectedCyrillicChanges())
        << "Windows-1251 without BOM";
    EXPECT_EQ(parseOk(cyrillicBodyIn1251("REGEDIT4")), expectedCyrillicChanges()) << "REGEDIT4";
}

TEST(RegFileReaderEncodings, AcceptsLfAndLoneCrLineEndsAndTrailingBlanks) {
    EXPECT_EQ(
        parseOk(bytesOf("REGEDIT4  \n\n[HKEY_CURRENT_USER\\A]\n\"v\"=dword:1\n")),
        (std::vector{createKey(HKCU, "A"), setValue(HKCU, "A", "v", valuetype::Dword, dword(1))}));
    EXPECT_EQ(parseOk(bytesOf("REGEDIT4\r[HKEY_CURRENT_USER\\A]\r\"v\"=\"x\"")),
              (std::vector{createKey(HKCU, "A"), setString(HKCU, "A", "v", "x")}));
}

TEST(RegFileReaderStrings, DecodesTheEscapes) {
    const auto changes = parseOk(bytesOf("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\K]\r\n"
                                         R"("a\\b\"c"="C:\\dir\\ \"q\" x\r\ny\nz")"
                                         "\r\n"));
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1], setString(HKLM, "K", "a\\b\"c", "C:\\dir\\ \"q\" x\r\ny\nz"));
}

TEST(RegFileReaderStrings, KeepsLineBreaksWrittenInsideAString) {
    // The registry editor writes a string's line breaks as they are, so a list of names ending
    // in CR LF closes its quote on a line of its own.
    const auto changes = parseOk(utf16File("Windows Registry Editor Version 5.00\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE\\K]\r\n"
                                           "\"list\"=\"Первое\r\nВторое  \r\n\"\r\n"
                                           "\"lf\"=\"a\nb\"\r\n"
                                           "\"blank\"=\"a\r\n\r\nb\"\r\n"
                                           "\"next\"=dword:00000007\r\n"));
    ASSERT_EQ(changes.size(), 5u);
    EXPECT_EQ(changes[1], setString(HKLM, "K", "list", "Первое\r\nВторое  \r\n"));
    EXPECT_EQ(changes[2], setString(HKLM, "K", "lf", "a\nb"));
    EXPECT_EQ(changes[3], setString(HKLM, "K", "blank", "a\r\n\r\nb"));
    EXPECT_EQ(changes[4], setValue(HKLM, "K", "next", valuetype::Dword, dword(7)));
}

TEST(RegFileReaderValues, ReadsEveryValueForm) {
    const auto changes = parseOk(bytesOf("Windows Registry Editor Version 5.00\r\n"
                                         "[HKEY_LOCAL_MACHINE\\K]\r\n"
                                         "@=\"default\"\r\n"
                                         "\"d\"=dword:DeadBeef\r\n"
                                         "\"short\"=DWORD:2a\r\n"
                                         "\"bin\"=hex:01,a,FF\r\n"
                                         "\"none\"=hex:\r\n"
                                         "\"s\"=hex(1):41,00,0d,00,0a,00,11,04,00,00\r\n"
                                         "\"s2\"=hex(1):41,00\r\n"
                                         "\"d4\"=hex(4):2a,00,00,00\r\n"
                                         "\"d2\"=hex(4):2a,00\r\n"
                                         "\"exp\"=hex(2):25,00,00,00\r\n"
                                         "\"q\"=HEX(B):01,02,03,04,05,06,07,08\r\n"
                                         "\"b3\"=hex(3):ff\r\n"));
    const std::vector<RegChange> expected = {
        createKey(HKLM, "K"),
        setString(HKLM, "K", "", "default"),
        setValue(HKLM, "K", "d", valuetype::Dword, dword(0xDEADBEEF)),
        setValue(HKLM, "K", "short", valuetype::Dword, dword(42)),
        setValue(HKLM, "K", "bin", valuetype::Binary, {0x01, 0x0a, 0xff}),
        setValue(HKLM, "K", "none", valuetype::Binary, {}),
        setString(HKLM, "K", "s", "A\r\nБ"),
        setString(HKLM, "K", "s2", "A"),
        setValue(HKLM, "K", "d4", valuetype::Dword, dword(42)),
        setValue(HKLM, "K", "d2", valuetype::Dword, {0x2a, 0}),
        setValue(HKLM, "K", "exp", 2, {0x25, 0, 0, 0}),
        setValue(HKLM, "K", "q", 11, {1, 2, 3, 4, 5, 6, 7, 8}),
        setValue(HKLM, "K", "b3", valuetype::Binary, {0xff}),
    };
    EXPECT_EQ(changes, expected);
}

TEST(RegFileReaderValues, JoinsContinuationLinesAndSkipsCommentsAndBlanks) {
    const auto changes = parseOk(bytesOf("Windows Registry Editor Version 5.00\r\n"
                                         "; a comment\r\n"
                                         "\r\n"
                                         "  [HKEY_LOCAL_MACHINE\\K\\]  \r\n"
                                         "   ; indented comment ending in a backslash \\\r\n"
                                         "\"bin\" = hex:01,02,\\\r\n"
                                         "     03 , 04,\\\r\n"
                                         "\t05\r\n"
                                         "\"after\"=dword:00000001\r\n"));
    EXPECT_EQ(changes, (std::vector{createKey(HKLM, "K"),
                                    setValue(HKLM, "K", "bin", valuetype::Binary, {1, 2, 3, 4, 5}),
                                    setValue(HKLM, "K", "after", valuetype::Dword, dword(1))}));
}

TEST(RegFileReaderDeletions, DeletesValuesAndTreesInFileOrder) {
    const auto changes = parseOk(bytesOf("Windows Registry Editor Version 5.00\r\n"
                                         "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell]\r\n"
                                         "[HKEY_CURRENT_USER\\Software\\Run]\r\n"
                                         "\"Tickwell2\"=-\r\n"
                                         "@=-\r\n"
                                         "[-HKCU\\Software\\Old\\]\r\n"));
    const std::vector<RegChange> expected = {
        {RegChange::Kind::DeleteTree, {HKLM, "SOFTWARE\\Tickwell"}, {}, 0, {}},
        createKey(HKCU, "Software\\Run"),
        {RegChange::Kind::DeleteValue, {HKCU, "Software\\Run"}, "Tickwell2", 0, {}},
        {RegChange::Kind::DeleteValue, {HKCU, "Software\\Run"}, "", 0, {}},
        {RegChange::Kind::DeleteTree, {HKCU, "Software\\Old"}, {}, 0, {}},
    };
    EXPECT_EQ(changes, expected);
}

TEST(RegFileReaderDeletions, AcceptsEmptyFilesAndRootSections) {
    EXPECT_TRUE(parseOk(bytesOf("REGEDIT4\r\n")).empty());
    EXPECT_EQ(parseOk(bytesOf("REGEDIT4\r\n[hkey_current_user]\r\n\"v\"=\"x\"\r\n")),
              (std::vector{createKey(HKCU, ""), setString(HKCU, "", "v", "x")}));
}

} // namespace
} // namespace tickwell::regfile
