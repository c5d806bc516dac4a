// Reminder timers as a person meets them: reminders that were running come back at start-up,
// each firing puts a notice on the screen, "Запустить"/"Остановить" and the tray item
// "Напоминания" switch them, and a once-only reminder stops itself.

#include "CountingSound.h"
#include "MainFormFixture.h"
#include "StoredReminders.h"
#include "TestTimeline.h"
#include "platform/IntervalTimer.h"
#include "reminders/NoticeForm.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "settings/StoreDatabase.h"
#include "widgets/ListBox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <sqlite3.h>

namespace tickwell::test {
namespace {

class ReminderTimers : public MainFormFixture {
protected:
    ~ReminderTimers() override { destroyNoticeWindows(); }

    void start(const std::vector<StoredReminder>& reminders, int counter) {
        prepareStore([&](SettingsStore& store) { storeReminders(store, reminders, counter); });
        startForm();
    }

    void select(int row) {
        const QRect rect = reminders().ListBox1->visualItemRect(reminders().ListBox1->item(row));
        QTest::mouseClick(reminders().ListBox1->viewport(), Qt::LeftButton, {}, rect.center());
    }

    IntervalTimer* timerOf(std::string_view key) { return reminders().findReminderTimer(key); }
};

TEST_F(ReminderTimers, StartUpBuildsOneTimerPerReminderFromTheStoredSwitches) {
    clock.set(QDateTime(QDate(2027, 3, 5), QTime(9, 0)));
    start({{.key = "notice1", .name = "Стоп", .interval = 90},
           {.key = "notice2", .name = "Идёт", .interval = 3600, .enabled = true},
           {.key = "notice4",
            .name = "Сегодня",
            .interval = 20,
            .enabled = true,
            .date = QDate(2027, 3, 5)},
           {.key = "notice9",
            .name = "Завтра",
            .interval = 30,
            .enabled = true,
            .date = QDate(2027, 3, 6)}},
          9);
    struct Expected {
        const char* key;
        int interval;
        bool enabled;
    };
    for (const Expected& e :
         {Expected{"notice1", 90000, false}, Expected{"notice2", 3600000, true},
          Expected{"notice4", 20000, true}, Expected{"notice9", 30000, false}}) {
        SCOPED_TRACE(e.key);
        IntervalTimer* timer = timerOf(e.key);
        ASSERT_NE(timer, nullptr);
        EXPECT_EQ(timer->objectName(), QStringLiteral("Timer_%1").arg(QLatin1String(e.key)));
        EXPECT_EQ(timer->parent(), form.get());
        EXPECT_EQ(timer->interval(), e.interval);
        EXPECT_EQ(timer->enabled(), e.enabled);
    }
    EXPECT_TRUE(form->N2->isChecked());
}

TEST_F(ReminderTimers, NothingRunningLeavesTheTrayItemUnchecked) {
    clock.set(QDateTime(QDate(2027, 3, 5), QTime(9, 0)));
    start({{.key = "notice1", .name = "Стоп"},
           {.key = "notice2", .name = "Завтра", .enabled = true, .date = QDate(2027, 3, 6)}},
          2);
    EXPECT_FALSE(form->N2->isChecked());
}

TEST_F(ReminderTimers, AnHourlyReminderShowsItsFirstNoticeAnHourAfterStartUp) {
    start({{.key = "notice1",
            .name = "Час",
            .text = "Разомнись\r\nи попей",
            .interval = 3600,
            .enabled = true}},
          1);
    timeline.advance(3600 * 1000 - 1);
    EXPECT_TRUE(noticeWindows().empty());
    timeline.advance(1);
    ASSERT_EQ(noticeWindows().size(), 1u);
    TNoticeForm* notice = noticeWindows().front();
    EXPECT_EQ(notice->Label1->text(), QStringLiteral("Разомнись\nи попей"));
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->parent(), nullptr) << "a notice belongs to no window";
    timeline.advance(3600 * 1000);
    EXPECT_EQ(sound.plays(), 2) << "one notice an hour";
}

TEST_F(ReminderTimers, ANoticeClosesAfterSeventyPercentOfAShortPeriodOrThirtySeconds) {
    struct Case {
        int period;
        int delay;
    };
    const Case cases[] = {{59, 41000}, {10, 7000},  {2, 1000},
                          {1, 1000},   {60, 30000}, {86400, 30000}};
    std::vector<StoredReminder> reminders;
    for (const Case& c : cases) {
        reminders.push_back({.key = "notice" + std::to_string(c.period),
                             .name = "p",
                             .text = std::to_string(c.period),
                             .interval = c.period});
    }
    start(reminders, 86400);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period);
        IntervalTimer* timer = timerOf("notice" + std::to_string(c.period));
        timer->setEnabled(true);
        ASSERT_TRUE(timer->fireForTest());
        timer->setEnabled(false);
        TNoticeForm* shown = nullptr;
        for (TNoticeForm* notice : noticeWindows()) {
            if (notice->Label1->text() == QString::number(c.period)) {
                shown = notice;
            }
        }
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->Timer2->interval(), c.delay);
    }
}

// A reminder every second left alone for minutes: each notice closes after a second, so the
// screen holds one at a time instead of one more every second.
TEST_F(ReminderTimers, AReminderEverySecondLeftAloneKeepsOneNoticeOnTheScreen) {
    start({{.key = "notice1", .name = "Секунда", .interval = 1, .enabled = true}}, 1);
    for (int second = 1; second <= 4 * 60; ++second) {
        timeline.advance(1000);
        ASSERT_EQ(noticeWindows().size(), 1u) << "after " << second << " s";
    }
    EXPECT_EQ(sound.plays(), 4 * 60);
}

TEST_F(ReminderTimers, AOnceOnlyReminderFiresOnceAndStaysStoppedAfterARestart) {
    start({{.key = "notice1", .name = "Раз", .interval = 5, .once = true, .enabled = true}}, 1);
    timeline.advance(60 * 1000);
    EXPECT_EQ(sound.plays(), 1) << "one notice only";
    EXPECT_FALSE(storedBool("notice1", layout::notice::enabled));
    EXPECT_FALSE(timerOf("notice1")->enabled());
    // The tray check mark follows at the next start or stop, not here.
    EXPECT_TRUE(form->N2->isChecked());

    destroyNoticeWindows();
    form.reset();
    startForm();
    EXPECT_FALSE(timerOf("notice1")->enabled());
    EXPECT_FALSE(form->N2->isChecked());
}

TEST_F(ReminderTimers, StartAndStopSwitchTheSelectedReminderAndTheTrayCheckMark) {
    start({{.key = "notice1", .name = "Один", .interval = 10},
           {.key = "notice2", .name = "Два", .interval = 20, .enabled = true}},
          2);
    EXPECT_TRUE(form->N2->isChecked());

    select(1);
    ASSERT_EQ(reminders().Button4->text(), QStringLiteral("Остановить"));
    QTest::mouseClick(reminders().Button4, Qt::LeftButton);
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Запустить"));
    EXPECT_FALSE(timerOf("notice2")->enabled());
    EXPECT_FALSE(storedBool("notice2", layout::notice::enabled));
    EXPECT_FALSE(form->N2->isChecked());
    timeline.advance(60 * 1000);
    EXPECT_TRUE(noticeWindows().empty());

    QTest::mouseClick(reminders().Button4, Qt::LeftButton);
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Остановить"));
    EXPECT_TRUE(timerOf("notice2")->enabled());
    EXPECT_TRUE(storedBool("notice2", layout::notice::enabled));
    EXPECT_TRUE(form->N2->isChecked());
    EXPECT_FALSE(timerOf("notice1")->enabled());
    timeline.advance(20 * 1000);
    EXPECT_EQ(noticeWindows().size(), 1u);
}

TEST_F(ReminderTimers, StartingADatedReminderOnAnotherDayAsksAndOnlyWritesTheSwitch) {
    clock.set(QDateTime(QDate(2027, 3, 1), QTime(9, 0)));
    start({{.key = "notice1", .name = "Врач", .interval = 10, .date = QDate(2027, 3, 5)}}, 1);
    select(0);
    const QString question =
        QStringLiteral("Невозможно запустить напоминание, дата срабатывания которого отличается от "
                       "сегодняшней. Запустить его в заданный день?");

    dialogs.expectMessage({.text = question,
                           .caption = QStringLiteral("Ошибка"),
                           .icon = MessageIcon::Question,
                           .buttons = MessageButtons::YesNo,
                           .owner = form.get(),
                           .answer = MessageAnswer::Yes});
    QTest::mouseClick(reminders().Button4, Qt::LeftButton);
    EXPECT_TRUE(storedBool("notice1", layout::notice::enabled));
    EXPECT_FALSE(timerOf("notice1")->enabled()) << "nothing runs before its day";
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Запустить"));
    EXPECT_FALSE(form->N2->isChecked()) << "the check mark waits for the next recomputation";

    dialogs.expectMessage({.text = question, .answer = MessageAnswer::No});
    QTest::mouseClick(reminders().Button4, Qt::LeftButton);
    EXPECT_FALSE(storedBool("notice1", layout::notice::enabled));
    EXPECT_FALSE(timerOf("notice1")->enabled());
}

TEST_F(ReminderTimers, TheTrayItemSwitchesEveryReminderDatesIncluded) {
    clock.set(QDateTime(QDate(2027, 3, 1), QTime(9, 0)));
    start({{.key = "notice1", .name = "Один", .interval = 10, .enabled = true},
           {.key = "notice2", .name = "Два", .interval = 20},
           {.key = "notice3", .name = "Дата", .interval = 30, .date = QDate(2027, 3, 9)}},
          3);
    ASSERT_TRUE(form->N2->isChecked());
    select(1);

    form->N2->trigger();
    EXPECT_FALSE(form->N2->isChecked());
    for (const char* key : {"notice1", "notice2", "notice3"}) {
        EXPECT_FALSE(timerOf(key)->enabled()) << key;
        EXPECT_FALSE(storedBool(key, layout::notice::enabled)) << key;
    }
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Запустить"));

    form->N2->trigger();
    EXPECT_TRUE(form->N2->isChecked());
    for (const char* key : {"notice1", "notice2", "notice3"}) {
        EXPECT_TRUE(timerOf(key)->enabled()) << key;
        EXPECT_TRUE(storedBool(key, layout::notice::enabled)) << key;
    }
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Остановить"));
    timeline.advance(30 * 1000);
    EXPECT_EQ(sound.plays(), 3 + 1 + 1) << "10 s: 3 notices, 20 s: 1, 30 s: 1";
}

TEST_F(ReminderTimers, AFiringWhoseReminderWasRemovedBehindTheProgramsBackReportsIt) {
    start({{.key = "notice1", .name = "Один", .interval = 10, .enabled = true}}, 1);
    {
        SettingsStore store;
        store.deleteKey(std::string(layout::notificationsKey) + "\\notice1");
    }
    dialogs.expectError(
        QStringLiteral("Failed to open key '\\SOFTWARE\\Tickwell2\\Notifications\\notice1'"));
    timeline.advance(60 * 1000);
    EXPECT_TRUE(noticeWindows().empty());
    EXPECT_FALSE(timerOf("notice1")->enabled()) << "reported once, not at every period";
}

// While another process holds the store's write lock (a long import), every firing of a
// once-only reminder fails to write its switch: one report for them all, and the reminder is
// shown and stops at its first firing once the store is free.
TEST_F(ReminderTimers, AStoreLockedByAnotherProcessIsReportedOnceNotAtEveryFiring) {
    start({{.key = "notice1", .name = "Раз", .interval = 20, .once = true, .enabled = true}}, 1);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(StoreDatabase::defaultFilePath().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    dialogs.expectError(QStringLiteral("Failed to set data for 'enabled'"));
    timeline.advance(40 * 1000);
    EXPECT_EQ(sound.plays(), 0);

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    timeline.advance(40 * 1000);
    EXPECT_EQ(sound.plays(), 1);
    EXPECT_FALSE(storedBool("notice1", layout::notice::enabled));
}

} // namespace
} // namespace tickwell::test
