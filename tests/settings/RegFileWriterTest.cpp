// The export layout: what the registry editor writes, byte for byte.

#include "settings/RegFileWriter.h"

#include "RegFileTestSupport.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tickwell::regfile {
namespace {

using test::bytesOf;
using test::dword;
using test::textOfUtf16File;

RawValue value(std::string name, std::uint32_t type, std::vector<std::uint8_t> data) {
    return {std::move(name), type, std::move(data)};
}

RawValue text(std::string name, std::string_view data) {
    return value(std::move(name), valuetype::String, bytesOf(data));
}

std::string exportText(const RegKeyPath& top, const RegKeySnapshot& key) {
    return textOfUtf16File(writeRegFile(top, key));
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the text must end with CR LF";
    return lines;
}

TEST(RegFileWriter, WritesHeaderSectionsParentFirstAndEveryValueForm) {
    const RegKeySnapshot product{
        {{0,
          "Tickwell2",
          {text("", "по умолчанию"), value("imagesTimeout", valuetype::Dword, dword(42)),
           text("path", R"(C:\Фото\"лучшие")"), text("empty", ""),
           value("date", valuetype::Binary, {0, 0, 0, 0, 0x40, 0x1b, 0xe6, 0x40}),
           value("big", valuetype::Dword, dword(0xFFFFFFFF))}},
         {1, "Notifications", {}},
         {2, "notice1", {text("name", "Выпить воды")}},
         {1, "Tasks", {value("tasksCounter", valuetype::Dword, dword(2))}}}};

    EXPECT_EQ(exportText({Root::LocalMachine, "SOFTWARE\\Tickwell2"}, product),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2]\r\n"
              "@=\"по умолчанию\"\r\n"
              "\"imagesTimeout\"=dword:0000002a\r\n"
              "\"path\"=\"C:\\\\Фото\\\\\\\"лучшие\\\"\"\r\n"
              "\"empty\"=\"\"\r\n"
              "\"date\"=hex:00,00,00,00,40,1b,e6,40\r\n"
              "\"big\"=dword:ffffffff\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications]\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Notifications\\notice1]\r\n"
              "\"name\"=\"Выпить воды\"\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tickwell2\\Tasks]\r\n"
              "\"tasksCounter\"=dword:00000002\r\n"
              "\r\n");
}

TEST(RegFileWriter, WritesUtf16LittleEndianWithByteOrderMark) {
    const auto bytes = writeRegFile({Root::CurrentUser, "Ключ"}, {{{0, "", {}}}});
    const std::string header = "Windows Registry Editor Version 5.00\r\n";
    ASSERT_GE(bytes.size(), 2 + header.size() * 2);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    for (std::size_t i = 0; i < header.size(); ++i) {
        EXPECT_EQ(bytes[2 + 2 * i], static_cast<std::uint8_t>(header[i]));
        EXPECT_EQ(bytes[3 + 2 * i], 0);
    }
    // "К" is U+041A: low byte first.
    const std::string text = textOfUtf16File(bytes);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Ключ]\r\n"), std::string::npos);
}

TEST(RegFileWriter, WrapsHexLinesAsTheRegistryEditorDoes) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 60; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(i));
    }
    const RegKeySnapshot key{{{0, "", {value("Path", 2, bytes)}}}};
    const auto lines = linesOf(exportText({Root::LocalMachine, "K"}, key));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[3], "\"Path\"=hex(2):00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,"
                        "13,14,\\");
    EXPECT_EQ(lines[4],
              "  15,16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,\\");
    EXPECT_EQ(lines[5], "  2e,2f,30,31,32,33,34,35,36,37,38,39,3a,3b");
}

TEST(RegFileWriter, KeepsEveryLineOfALongBinaryWithinEightyCharacters) {
    for (const std::string name : {"", "d", "a somewhat longer value name of forty chars"}) {
        for (const std::size_t size : {0u, 1u, 23u, 24u, 25u, 48u, 49u, 1000u}) {
            SCOPED_TRACE(name + " / " + std::to_string(size));
            std::vector<std::uint8_t> data(size, 0xab);
            const RegKeySnapshot key{{{0, "", {value(name, valuetype::Binary, data)}}}};
            const auto lines = linesOf(exportText({Root::LocalMachine, "K"}, key));
            std::string joined;
            for (std::size_t i = 3; i + 1 < lines.size(); ++i) {
                const bool first = i == 3;
                const bool last = i + 2 == lines.size();
                EXPECT_LE(lines[i].size(), 80u) << lines[i];
                EXPECT_EQ(lines[i].back() == '\\', !last) << lines[i];
                EXPECT_EQ(lines[i].rfind("  ", 0) == 0, !first) << lines[i];
                std::string content = first ? lines[i] : lines[i].substr(2);
                if (!last) {
                    content.pop_back();
                }
                joined += content;
            }
            // Unwrapped again, the data is every byte in order.
            std::string expected = (name.empty() ? "@" : "\"" + name + "\"") + "=hex:";
            for (std::size_t i = 0; i < size; ++i) {
                expected += i == 0 ? "ab" : ",ab";
            }
            EXPECT_EQ(joined, expected);
        }
    }
}

TEST(RegFileWriter, WritesTextWithLineBreaksOrControlCharactersAsHex1) {
    const RegKeySnapshot key{
        {{0, "", {text("list", "A\r\nБ\r\n"), text("tab", "a\tb"), text("plain", "a b")}}}};
    const auto lines = linesOf(exportText({Root::LocalMachine, "K"}, key));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[3], "\"list\"=hex(1):41,00,0d,00,0a,00,11,04,0d,00,0a,00,00,00");
    EXPECT_EQ(lines[4], "\"tab\"=hex(1):61,00,09,00,62,00,00,00");
    EXPECT_EQ(lines[5], "\"plain\"=\"a b\"");
}

TEST(RegFileWriter, WritesOtherTypesAsHexWithTheirNumber) {
    const RegKeySnapshot key{
        {{0,
          "",
          {value("q", 11, {1, 2, 3, 4, 5, 6, 7, 8}), value("short", 4, {1, 2, 3}),
           value("none", 0, {}), value("high", 0x1234, {0xff}),
           value("bin", valuetype::Binary, {})}}}};
    const auto lines = linesOf(exportText({Root::LocalMachine, "K"}, key));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[3], "\"q\"=hex(b):01,02,03,04,05,06,07,08");
    EXPECT_EQ(lines[4], "\"short\"=hex(4):01,02,03");
    EXPECT_EQ(lines[5], "\"none\"=hex(0):");
    EXPECT_EQ(lines[6], "\"high\"=hex(1234):ff");
    EXPECT_EQ(lines[7], "\"bin\"=hex:");
}

TEST(RegFileWriter, EscapesValueNamesAndWritesTheRootItself) {
    const RegKeySnapshot key{{{0, "", {text("a\\b\"c\r\nd", "x")}}}};
    const auto lines = linesOf(exportText({Root::CurrentUser, ""}, key));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "[HKEY_CURRENT_USER]");
    EXPECT_EQ(lines[3], R"("a\\b\"c\r\nd"="x")");
}

TEST(RegFileWriter, RefusesWhatTheFormatCannotCarry) {
    const RegKeyPath top{Root::LocalMachine, "K"};
    const RegKeySnapshot cases[] = {
        {{{0, "", {value("bad", valuetype::String, {0xC3, 0x28})}}}},
        {{{0, "", {value("\xFF", valuetype::Dword, dword(1))}}}},
        {{{0, "", {}}, {1, "line\nbreak", {}}}},
        {{{0, "", {}}, {1, "", {}}}},
        {{{0, "", {}}, {2, "skips a level", {}}}},
        {{{1, "no top key", {}}}},
    };
    for (const RegKeySnapshot& snapshot : cases) {
        EXPECT_THROW(writeRegFile(top, snapshot), RegWriteError);
    }
}

} // namespace
} // namespace tickwell::regfile
