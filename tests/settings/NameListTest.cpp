#include "settings/NameList.h"

#include <gtest/gtest.h>

using Items = std::vector<std::string>;

TEST(NameListJoin, EveryItemEndsWithCrLf) {
    EXPECT_EQ(NameList::join({}), "");
    EXPECT_EQ(NameList::join({"A"}), "A\r\n");
    EXPECT_EQ(NameList::join({"A", "", "Б"}), "A\r\n\r\nБ\r\n");
}

TEST(NameListSplit, CutsAtEveryKindOfLineBreak) {
    EXPECT_EQ(NameList::split(""), Items{});
    EXPECT_EQ(NameList::split("A\r\nB"), (Items{"A", "B"}));
    EXPECT_EQ(NameList::split("A\nB"), (Items{"A", "B"}));
    EXPECT_EQ(NameList::split("A\rB"), (Items{"A", "B"}));
    EXPECT_EQ(NameList::split("A\n\rB"), (Items{"A", "", "B"}));
}

TEST(NameListSplit, FinalBreakMakesNoItemButInnerEmptyLinesDo) {
    EXPECT_EQ(NameList::split("A\r\n"), Items{"A"});
    EXPECT_EQ(NameList::split("A\r"), Items{"A"});
    EXPECT_EQ(NameList::split("A\r\n\r\nB\r\n"), (Items{"A", "", "B"}));
    EXPECT_EQ(NameList::split("\r\n"), Items{""});
    EXPECT_EQ(NameList::split("A\r\n\r\n"), (Items{"A", ""}));
}

TEST(NameListSplit, StopsAtNul) {
    using namespace std::string_literals;
    EXPECT_EQ(NameList::split("A\r\nB\0C\r\nD"s), (Items{"A", "B"}));
    EXPECT_EQ(NameList::split("\0A"s), Items{});
}

TEST(NameList, JoinedListsReadBackUnchanged) {
    for (const Items& items : {Items{}, Items{""}, Items{"notice1", "notice2"},
                               Items{"Купить хлеб", "", "  с пробелами  "}}) {
        EXPECT_EQ(NameList::split(NameList::join(items)), items);
    }
}

TEST(NameListJoin, AnItemIsWrittenOnOneLineSoTheListKeepsItsLength) {
    using namespace std::string_literals;
    struct Case {
        std::string item;
        std::string written;
    };
    for (const Case& c :
         {Case{"Обед\r\nв час", "Обед в час"}, Case{"a\nb\rc", "a b c"}, Case{"a\r\n\r\nb", "a  b"},
          Case{"end\r", "end "}, Case{"nul\0x"s, "nul x"}}) {
        EXPECT_EQ(NameList::oneLine(c.item), c.written);
        EXPECT_EQ(NameList::split(NameList::join({"first", c.item, "last"})),
                  (Items{"first", c.written, "last"}));
    }
}
