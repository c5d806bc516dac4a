#include "settings/NameFold.h"

#include "settings/KeyPath.h"
#include "settings/StoreDatabase.h"

#include <gtest/gtest.h>

using tickwell::foldName;

TEST(NameFold, FoldsEveryCoveredScriptToUpperCase) {
    EXPECT_EQ(foldName("notificationsList"), "NOTIFICATIONSLIST");
    EXPECT_EQ(foldName("àéîõüÿ"), "ÀÉÎÕÜŸ");
    EXPECT_EQ(foldName("āčęłňőšźž"), "ĀČĘŁŇŐŠŹŽ");
    EXPECT_EQ(foldName("αβγσςάώ"), "ΑΒΓΣΣΆΏ");
    EXPECT_EQ(foldName("абвгдеёжзийклмнопрстуфхцчшщъыьэюя"), "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    EXPECT_EQ(foldName("іїєґў"), "ІЇЄҐЎ");
}

TEST(NameFold, LeavesOtherCharactersAndBrokenBytesAlone) {
    EXPECT_EQ(foldName("A1_ß÷µ 日本"), "A1_ß÷µ 日本");
    EXPECT_EQ(foldName("ÀБΣ"), "ÀБΣ");
    // A lone continuation byte and a cut-off sequence pass through byte for byte.
    EXPECT_EQ(foldName("a\x80"
                       "b\xD0"),
              "A\x80"
              "B\xD0");
}

TEST(NameFold, CountsLengthInUtf16Units) {
    EXPECT_EQ(tickwell::utf16Length("abc"), 3u);
    EXPECT_EQ(tickwell::utf16Length("Задачи"), 6u);
    EXPECT_EQ(tickwell::utf16Length("😀"), 2u);
}

TEST(KeyPathParse, AbsoluteRelativeAndTrailingSeparator) {
    const auto absolute = tickwell::parseKeyPath("\\SOFTWARE\\Tickwell2\\");
    ASSERT_TRUE(absolute);
    EXPECT_TRUE(absolute->absolute);
    EXPECT_EQ(tickwell::joinKeyPath(absolute->components), "SOFTWARE\\Tickwell2");

    const auto relative = tickwell::parseKeyPath("task1");
    ASSERT_TRUE(relative);
    EXPECT_FALSE(relative->absolute);
    EXPECT_EQ(relative->components.size(), 1u);

    for (const char* self : {"", "\\"}) {
        const auto parsed = tickwell::parseKeyPath(self);
        ASSERT_TRUE(parsed) << self;
        EXPECT_TRUE(parsed->components.empty()) << self;
    }
}

TEST(KeyPathParse, RefusesEmptyComponentsAndOverlongNames) {
    for (const char* bad : {"A\\\\B", "\\\\A", "A\\\\"}) {
        EXPECT_FALSE(tickwell::parseKeyPath(bad)) << bad;
    }
    EXPECT_TRUE(tickwell::parseKeyPath(std::string(tickwell::maxKeyNameLength, 'k')));
    EXPECT_FALSE(tickwell::parseKeyPath(std::string(tickwell::maxKeyNameLength + 1, 'k')));
    // The limit counts characters, not bytes: 255 Cyrillic letters are 510 bytes.
    std::string cyrillic;
    for (std::size_t i = 0; i < tickwell::maxKeyNameLength; ++i) {
        cyrillic += "ж";
    }
    EXPECT_TRUE(tickwell::parseKeyPath("A\\" + cyrillic));
    EXPECT_FALSE(tickwell::parseKeyPath("A\\" + cyrillic + "ж"));
}
