#include "settings/NameFold.h"

#include "settings/KeyPath.h"
#include "settings/StoreDatabase.h"

#include <gtest/gtest.h>
#include <optional>

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

// --- the rules for paths, with the registry's limits -------------------------------------------

namespace {

using tickwell::KeyPathFault;
using tickwell::KeyPathUse;

// `count` components `name`, joined by '\'.
std::string repeatedPath(const std::string& name, std::size_t count) {
    std::string path;
    for (std::size_t i = 0; i < count; ++i) {
        path += (i == 0 ? "" : "\\") + name;
    }
    return path;
}

std::string repeated(const std::string& unit, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += unit;
    }
    return text;
}

struct PathCase {
    const char* name;
    std::string path;
    KeyPathUse use;
    std::optional<KeyPathFault> fault; // nothing: the path is accepted
};

void PrintTo(const PathCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string longestName(tickwell::maxKeyNameLength, 'k');
// 128 names of 255 characters and 127 separators: exactly the longest path.
const std::string longestPath = repeatedPath(longestName, 128);

const PathCase kPathCases[] = {
    {"EmptyNameInside", "A\\\\B", KeyPathUse::Find, KeyPathFault::EmptyName},
    {"EmptyNameAfterTheRoot", "\\\\A", KeyPathUse::Find, KeyPathFault::EmptyName},
    {"TwoTrailingSeparators", "A\\\\", KeyPathUse::Find, KeyPathFault::EmptyName},
    {"LongestName", longestName, KeyPathUse::Create, std::nullopt},
    {"NameTooLong", longestName + "k", KeyPathUse::Find, KeyPathFault::NameTooLong},
    // The limit counts characters, not bytes: 255 Cyrillic letters are 510 bytes.
    {"LongestCyrillicName", "A\\" + repeated("ж", 255), KeyPathUse::Create, std::nullopt},
    {"CyrillicNameTooLong", "A\\" + repeated("ж", 256), KeyPathUse::Find,
     KeyPathFault::NameTooLong},
    {"DeepestPath", repeatedPath("a", tickwell::maxKeyDepth), KeyPathUse::Create, std::nullopt},
    {"OneLevelTooDeep", repeatedPath("a", tickwell::maxKeyDepth + 1), KeyPathUse::Find,
     KeyPathFault::TooDeep},
    // The 120 KB section that imported 60,000 levels, after which the tree could not be listed.
    {"SixtyThousandLevels", repeatedPath("a", 60000), KeyPathUse::Find, KeyPathFault::TooDeep},
    {"LongestPath", longestPath, KeyPathUse::Create, std::nullopt},
    {"PathTooLong", longestPath + "\\b", KeyPathUse::Find, KeyPathFault::TooLong},
    {"ControlCharacterFound", "A\\b\x1B[2Jc", KeyPathUse::Find, std::nullopt},
    {"ControlCharacterCreated", "A\\b\x1B[2Jc", KeyPathUse::Create, KeyPathFault::NameNotText},
    {"C1ControlCreated", "A\\b\xC2\x9B", KeyPathUse::Create, KeyPathFault::NameNotText},
    {"InvalidUtf8Found", "A\\\xC3(", KeyPathUse::Find, std::nullopt},
    {"InvalidUtf8Created", "A\\\xC3(", KeyPathUse::Create, KeyPathFault::NameNotText},
};

class KeyPathRules : public ::testing::TestWithParam<PathCase> {};

TEST_P(KeyPathRules, AcceptOrRefuseWithTheirFault) {
    const PathCase& c = GetParam();
    KeyPathFault fault = KeyPathFault::EmptyName;
    const auto parsed = tickwell::parseKeyPath(c.path, c.use, &fault);
    ASSERT_EQ(parsed.has_value(), !c.fault.has_value());
    if (c.fault) {
        EXPECT_EQ(fault, *c.fault) << tickwell::describeKeyPathFault(fault);
    } else {
        EXPECT_EQ(tickwell::joinKeyPath(parsed->components), c.path);
        EXPECT_EQ(parsed->length, tickwell::utf16Length(c.path));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyPathRules, ::testing::ValuesIn(kPathCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
