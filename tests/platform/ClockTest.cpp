#include "platform/Clock.h"

#include "QtPrinters.h"
#include "TestSeams.h"
#include "platform/Seams.h"

#include <QColor>
#include <gtest/gtest.h>
#include <limits>

using namespace tickwell;
using tickwell::test::TestClock;
using tickwell::test::TestSeams;

namespace {

TEST(DayCount, KnownDatesCountFromTheLastDaysOf1899) {
    EXPECT_EQ(dayCountFromDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(dayCountFromDate(QDate(1899, 12, 31)), 1.0);
    EXPECT_EQ(dayCountFromDate(QDate(1900, 3, 1)), 61.0);
    EXPECT_EQ(dayCountFromDate(QDate(2000, 1, 1)), 36526.0);
    EXPECT_EQ(dayCountFromDate(QDate(2024, 2, 29)), 45351.0);
    EXPECT_EQ(dayCountFromDate(QDate(1899, 12, 29)), -1.0);
}

TEST(DayCount, DatesComeBackFromTheirCounts) {
    for (const QDate date : {QDate(1, 1, 1), QDate(1899, 12, 29), QDate(1899, 12, 30),
                             QDate(1970, 1, 1), QDate(2024, 2, 29), QDate(9999, 12, 31)}) {
        EXPECT_EQ(dateFromDayCount(dayCountFromDate(date)), date) << date.toString().toStdString();
    }
    EXPECT_EQ(dateFromDayCount(45351.99), QDate(2024, 2, 29)) << "the time of day is dropped";
}

TEST(DayCount, TimeOfDayIsTheFraction) {
    EXPECT_EQ(dayCountFromDateTime(QDateTime(QDate(2000, 1, 1), QTime(18, 0))), 36526.75);
    EXPECT_EQ(dateTimeFromDayCount(36526.25), QDateTime(QDate(2000, 1, 1), QTime(6, 0)));
    // Before the epoch the time of day still counts forward from midnight.
    EXPECT_EQ(dayCountFromDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(dateTimeFromDayCount(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
}

TEST(DayCount, ATimeJustBeforeMidnightRoundsIntoTheNextDayNotPastIt) {
    EXPECT_EQ(dateTimeFromDayCount(36526.0 + 1.0 - 1e-12),
              QDateTime(QDate(2000, 1, 2), QTime(0, 0)));
    const QDateTime late(QDate(2000, 1, 1), QTime(23, 59, 59, 999));
    EXPECT_EQ(dateTimeFromDayCount(dayCountFromDateTime(late)), late);
}

TEST(DayCount, CountsThatAreNoDateGiveInvalidDates) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (const double days : {nan, inf, -inf, 1e300, -1e300, 2958466.0, -693594.0}) {
        EXPECT_FALSE(dateFromDayCount(days).isValid()) << days;
        EXPECT_FALSE(dateTimeFromDayCount(days).isValid()) << days;
    }
}

TEST(Clock, TestClockSetsNowAndTodayForTheWholeProgram) {
    TestSeams seams;
    TestClock& clock = seams.clock;
    clock.set(QDateTime(QDate(2024, 3, 15), QTime(18, 0)));
    EXPECT_EQ(currentClock().today(), 45366.0);
    EXPECT_EQ(currentClock().now(), 45366.75);
    EXPECT_EQ(currentClock().currentDate(), QDate(2024, 3, 15));

    clock.advance(6LL * 3600 * 1000);
    EXPECT_EQ(currentClock().today(), 45367.0) << "a new day at midnight";
    clock.setDate(QDate(2025, 1, 1));
    EXPECT_EQ(currentClock().currentDateTime(), QDateTime(QDate(2025, 1, 1), QTime(0, 0)));
}

TEST(Clock, WithoutAFakeTheClockIsTheSystems) {
    const SeamsGuard real(Seams{});
    const QDate before = QDate::currentDate();
    const QDate seen = currentClock().currentDate();
    EXPECT_TRUE(seen == before || seen == before.addDays(1));
}

} // namespace
