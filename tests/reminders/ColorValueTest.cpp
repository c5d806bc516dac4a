// The notice colours as the store keeps them.

#include "reminders/ColorValue.h"

#include <QColor>
#include <gtest/gtest.h>

namespace tickwell {
namespace {

TEST(ColorValue, RedIsTheLowByteThenGreenThenBlue) {
    EXPECT_EQ(colorFromValue(0xFFFF00), QColor(0, 255, 255)) << "aqua";
    EXPECT_EQ(colorFromValue(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colorFromValue(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(colorFromValue(0xFF000000u), QColor(0, 0, 0)) << "the high byte is ignored";
    EXPECT_EQ(valueFromColor(QColor(0, 255, 255)), 0xFFFF00u);
    EXPECT_EQ(valueFromColor(QColor(0x56, 0x34, 0x12)), 0x123456u);
    EXPECT_EQ(valueFromColor(QColor::fromHsv(0, 255, 255)), 0x0000FFu) << "any colour model";
}

} // namespace
} // namespace tickwell
