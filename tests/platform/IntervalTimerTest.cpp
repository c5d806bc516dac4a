#include "platform/IntervalTimer.h"

#include "TestClock.h"
#include "TestSeams.h"
#include "TestTimeline.h"
#include "platform/Clock.h"
#include "platform/Seams.h"

#include <QObject>
#include <QSignalSpy>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

using tickwell::IntervalTimer;
using tickwell::Seams;
using tickwell::SeamsGuard;
using tickwell::test::TestClock;
using tickwell::test::TestSeams;
using tickwell::test::TestTimeline;

namespace {

class IntervalTimerTest : public ::testing::Test {
protected:
    QObject owner;
    TestSeams seams;
    TestTimeline& timeline = seams.timeline;
};

TEST_F(IntervalTimerTest, ZeroIntervalNeverFiresEvenWhenEnabled) {
    IntervalTimer timer(&owner, QStringLiteral("Timer2"), 0, true);
    QSignalSpy fired(&timer, &IntervalTimer::timeout);

    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(timeline.advance(24LL * 3600 * 1000), 0);
    EXPECT_FALSE(timer.fireForTest());
    EXPECT_EQ(fired.count(), 0);
}

TEST_F(IntervalTimerTest, DisabledTimerNeverFires) {
    IntervalTimer timer(&owner, QStringLiteral("ImagesTimer"), 1000, false);
    QSignalSpy fired(&timer, &IntervalTimer::timeout);

    timeline.advance(10000);
    EXPECT_FALSE(timer.fireForTest());
    EXPECT_EQ(fired.count(), 0);
}

TEST_F(IntervalTimerTest, EnabledTimerFiresOncePerInterval) {
    IntervalTimer timer(&owner, QStringLiteral("CheckTimer"), 30000, true);
    QSignalSpy fired(&timer, &IntervalTimer::timeout);

    timeline.advance(29999);
    EXPECT_EQ(fired.count(), 0);
    timeline.advance(1);
    EXPECT_EQ(fired.count(), 1);
    timeline.advance(90000);
    EXPECT_EQ(fired.count(), 4);
}

TEST_F(IntervalTimerTest, EnablingStartsAFullInterval) {
    IntervalTimer timer(&owner, QStringLiteral("TasksTimer"), 1000, true);
    QSignalSpy fired(&timer, &IntervalTimer::timeout);
    timeline.advance(700);
    timer.setEnabled(false);
    timeline.advance(5000);
    timer.setEnabled(true);

    timeline.advance(999);
    EXPECT_EQ(fired.count(), 0);
    timeline.advance(1);
    EXPECT_EQ(fired.count(), 1);
}

TEST_F(IntervalTimerTest, ChangingTheIntervalStartsAFullIntervalOfTheNewLength) {
    IntervalTimer timer(&owner, QStringLiteral("Timer_notice1"), 1000, true);
    QSignalSpy fired(&timer, &IntervalTimer::timeout);
    timeline.advance(900);

    timer.setInterval(500);
    timeline.advance(499);
    EXPECT_EQ(fired.count(), 0);
    timeline.advance(1);
    EXPECT_EQ(fired.count(), 1);
}

TEST_F(IntervalTimerTest, SettingTheValueAlreadyThereChangesNothing) {
    IntervalTimer timer(&owner, QStringLiteral("Timer_notice2"), 1000, true);
    QSignalSpy fired(&timer, &IntervalTimer::timeout);
    timeline.advance(900);

    timer.setEnabled(true);
    timer.setInterval(1000);
    timeline.advance(100);
    EXPECT_EQ(fired.count(), 1) << "the interval was counted afresh";
}

TEST_F(IntervalTimerTest, IntervalChangedWhileDisabledCountsFromTheEnabling) {
    IntervalTimer timer(&owner, QStringLiteral("Timer2"), 0, false);
    QSignalSpy fired(&timer, &IntervalTimer::timeout);
    timer.setInterval(3000);
    timeline.advance(2000);
    timer.setEnabled(true);

    timeline.advance(2999);
    EXPECT_EQ(fired.count(), 0);
    timeline.advance(1);
    EXPECT_EQ(fired.count(), 1);
}

TEST_F(IntervalTimerTest, FoundAgainByItsNameAmongItsOwnersChildren) {
    auto* third = new IntervalTimer(&owner, QStringLiteral("Timer_notice3"), 5000, true);
    new IntervalTimer(&owner, QStringLiteral("Timer_notice30"), 5000, true);

    EXPECT_EQ(owner.findChild<IntervalTimer*>(QStringLiteral("Timer_notice3")), third);
    EXPECT_EQ(owner.findChild<IntervalTimer*>(QStringLiteral("Timer_notice4")), nullptr);
}

TEST_F(IntervalTimerTest, TimerGoesWithItsOwnerAndIsNeverFiredAfterwards) {
    auto owned = std::make_unique<QObject>();
    int firings = 0;
    auto* timer = new IntervalTimer(owned.get(), QStringLiteral("Timer1"), 10, true);
    QObject::connect(timer, &IntervalTimer::timeout, [&] { ++firings; });
    owned.reset();

    EXPECT_EQ(timeline.advance(1000), 0);
    EXPECT_EQ(firings, 0);
}

TEST_F(IntervalTimerTest, TimelineFiresInOrderOfDueTimeAndStartingOrderOnTies) {
    QStringList order;
    IntervalTimer slow(&owner, QStringLiteral("slow"), 300, true);
    IntervalTimer fast(&owner, QStringLiteral("fast"), 200, true);
    IntervalTimer tie(&owner, QStringLiteral("tie"), 300, true);
    for (IntervalTimer* timer : {&slow, &fast, &tie}) {
        QObject::connect(timer, &IntervalTimer::timeout,
                         [&order, timer] { order << timer->objectName(); });
    }

    EXPECT_EQ(timeline.advance(600), 7);
    // At 300 slow and tie fall due together and fire in the order they were started; at 600
    // all three do, fast last since it was started again last (at 400).
    EXPECT_EQ(order, (QStringList{"fast", "slow", "tie", "fast", "slow", "tie", "fast"}));
}

TEST_F(IntervalTimerTest, HandlerThatStopsAnotherTimerDueAtTheSameMomentPreventsItsFiring) {
    IntervalTimer first(&owner, QStringLiteral("first"), 100, true);
    IntervalTimer second(&owner, QStringLiteral("second"), 100, true);
    QSignalSpy secondFired(&second, &IntervalTimer::timeout);
    QObject::connect(&first, &IntervalTimer::timeout, [&] { second.setEnabled(false); });

    timeline.advance(100);
    EXPECT_EQ(secondFired.count(), 0);
}

TEST_F(IntervalTimerTest, TimerCreatedByAHandlerCountsFromTheMomentOfItsCreation) {
    IntervalTimer starter(&owner, QStringLiteral("starter"), 1000, true);
    std::unique_ptr<IntervalTimer> created;
    qint64 createdAt = -1;
    qint64 firedAt = -1;
    QObject::connect(&starter, &IntervalTimer::timeout, [&] {
        if (created) {
            return;
        }
        createdAt = timeline.now();
        created = std::make_unique<IntervalTimer>(&owner, QStringLiteral("created"), 250, true);
        QObject::connect(created.get(), &IntervalTimer::timeout, [&] {
            if (firedAt < 0) {
                firedAt = timeline.now();
            }
        });
    });

    timeline.advance(2000);
    EXPECT_EQ(createdAt, 1000);
    EXPECT_EQ(firedAt, 1250);
}

TEST(TestTimelineWithClock, ClockShowsTheMomentOfEachFiringAndTheEndOfTheSpan) {
    TestSeams seams;
    TestClock& clock = seams.clock;
    TestTimeline& timeline = seams.timeline;
    clock.set(QDateTime(QDate(2024, 3, 15), QTime(23, 59, 0)));
    QObject owner;
    IntervalTimer timer(&owner, QStringLiteral("CheckTimer"), 30000, true);
    QList<QDateTime> seen;
    QObject::connect(&timer, &IntervalTimer::timeout,
                     [&] { seen << tickwell::currentClock().currentDateTime(); });

    timeline.advance(70000);

    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0], QDateTime(QDate(2024, 3, 15), QTime(23, 59, 30)));
    EXPECT_EQ(seen[1], QDateTime(QDate(2024, 3, 16), QTime(0, 0, 0)));
    EXPECT_EQ(clock.currentDateTime(), QDateTime(QDate(2024, 3, 16), QTime(0, 0, 10)));
    EXPECT_EQ(tickwell::currentClock().today(), 45367.0);
}

TEST(TestTimelineLifetime, TimersRunningWhenManualTimeEndsGoBackToTheEventLoop) {
    const SeamsGuard realTime(Seams{});
    QObject owner;
    IntervalTimer timer(&owner, QStringLiteral("Timer1"), 10, true);
    {
        TestSeams seams;
        EXPECT_TRUE(IntervalTimer::manualTime());
    }
    EXPECT_FALSE(IntervalTimer::manualTime());
    // Back under the event loop the timer fires by itself; wait for it without sleeping blind.
    QSignalSpy fired(&timer, &IntervalTimer::timeout);
    EXPECT_TRUE(fired.wait(5000));
}

TEST(IntervalTimerUnderTheEventLoop, ZeroIntervalStaysSilentWhileOthersFire) {
    const SeamsGuard realTime(Seams{});
    QObject owner;
    IntervalTimer zero(&owner, QStringLiteral("Timer2"), 0, true);
    IntervalTimer other(&owner, QStringLiteral("Timer1"), 20, true);
    QSignalSpy zeroFired(&zero, &IntervalTimer::timeout);
    QSignalSpy otherFired(&other, &IntervalTimer::timeout);

    ASSERT_TRUE(otherFired.wait(5000));
    EXPECT_EQ(zeroFired.count(), 0);
}

} // namespace
