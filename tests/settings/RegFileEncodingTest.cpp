// The text conversions behind .reg files: strict UTF-8, UTF-16 with surrogate pairs, and the
// Windows-1251 code page.

#include "settings/RegFileEncoding.h"

#include <gtest/gtest.h>

namespace tickwell::regfile {
namespace {

TEST(RegFileEncoding, ConvertsWindows1251) {
    // Every letter of the Russian alphabet, both cases, and the signs around them.
    std::string all;
    for (int byte = 0xC0; byte <= 0xFF; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(windows1251ToUtf8(all), "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
                                      "абвгдежзийклмнопрстуфхцчшщъыьэюя");
    EXPECT_EQ(windows1251ToUtf8("\xA8\xB8\xB9\x88\x96\x97\xAB\xBB\xA0\x85"), "Ёё№€–—«»\u00A0…");
    EXPECT_EQ(windows1251ToUtf8("plain ASCII\r\n"), "plain ASCII\r\n");
    // 0x98 has no letter; it survives as U+0098 rather than vanishing.
    EXPECT_EQ(windows1251ToUtf8("\x98"), "\xC2\x98");
}

TEST(RegFileEncoding, ValidatesUtf8Strictly) {
    EXPECT_TRUE(isValidUtf8("ascii, кириллица, € and 😀"));
    EXPECT_EQ(findInvalidUtf8("ab\xC0\x80"), 2u) << "overlong NUL";
    EXPECT_EQ(findInvalidUtf8("\xE0\x80\xAF"), 0u) << "overlong slash";
    EXPECT_EQ(findInvalidUtf8("x\xED\xA0\x80"), 1u) << "encoded surrogate";
    EXPECT_EQ(findInvalidUtf8("\xF4\x90\x80\x80"), 0u) << "above U+10FFFF";
    EXPECT_EQ(findInvalidUtf8("ok\xD0"), 2u) << "cut short";
    EXPECT_EQ(findInvalidUtf8("\xD0\x41"), 0u) << "bad continuation";
    EXPECT_EQ(findInvalidUtf8("\xCF\xEE\xEB"), 0u) << "Windows-1251 text";
}

TEST(RegFileEncoding, ConvertsBetweenUtf8AndUtf16) {
    const std::string text = "A Ж € 😀";
    const std::u16string units = utf8ToUtf16(text);
    EXPECT_EQ(units, u"A Ж € 😀");
    EXPECT_EQ(units.size(), 8u) << "the emoji takes a surrogate pair";
    EXPECT_EQ(utf16ToUtf8(units), text);
    EXPECT_FALSE(findUnpairedSurrogate(units));
    EXPECT_EQ(findUnpairedSurrogate(u"ab\xD83D"), 2u);
    EXPECT_EQ(findUnpairedSurrogate(u"\xDE00x"), 0u);
    EXPECT_EQ(findUnpairedSurrogate(u"\xD83D\xD83Dx"), 0u);
}

} // namespace
} // namespace tickwell::regfile
