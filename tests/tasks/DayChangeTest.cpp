// The program left running across days: within 30 seconds of a new day the daily tasks are not
// done any more and the dated reminders run only on their day; an unchanged day touches nothing,
// and a store that fails is reported once.

#include "StoredReminders.h"
#include "TasksFixture.h"
#include "platform/IntervalTimer.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "settings/StoreDatabase.h"

#include <QCheckBox>
#include <QTemporaryDir>

namespace tickwell::test {
namespace {

namespace v = layout::task;
constexpr int checkPeriodMs = 30 * 1000;
const QDate day(2027, 3, 4);

class DayChange : public TasksFixture {
protected:
    // The program started at 23:59:50 on `day`.
    void startBeforeMidnight(const std::vector<StoredTask>& tasks,
                             const std::vector<StoredReminder>& reminders = {}) {
        clock.set(QDateTime(day, QTime(23, 59, 50)));
        start(tasks, static_cast<int>(tasks.size()), [&](SettingsStore& store) {
            storeReminders(store, reminders, static_cast<int>(reminders.size()));
        });
    }

    bool runs(std::string_view key) { return reminders().findReminderTimer(key)->enabled(); }
};

TEST_F(DayChange, AcrossMidnightDailyTasksResetAndDatedRemindersFollowTheirDay) {
    startBeforeMidnight({{.key = "task1", .name = "Зарядка", .daily = true, .complete = true},
                         {.key = "task2", .name = "Хлеб", .complete = true}},
                        {{.key = "notice1", .name = "Сегодня", .enabled = true, .date = day},
                         {.key = "notice2", .name = "Завтра", .date = day.addDays(1)},
                         {.key = "notice3", .name = "Без даты", .enabled = true},
                         {.key = "notice4", .name = "Убрана", .enabled = true, .date = day}});
    // Gone from the list behind the program's back: its timer is left alone.
    SettingsStore store;
    store.openKey(layout::notificationsKey, false);
    store.writeString(layout::notifications::noticesList, "notice1\r\nnotice2\r\nnotice3\r\n");
    clickRow(0);

    timeline.advance(checkPeriodMs);
    const double nextDay = dayCountFromDate(day.addDays(1));
    EXPECT_EQ(tasks().LastCheckDate, nextDay);
    EXPECT_FALSE(stored<bool>("task1", v::complete));
    EXPECT_EQ(stored<double>("task1", v::date), nextDay);
    EXPECT_TRUE(stored<bool>("task2", v::complete)) << "one-off tasks stay done";
    EXPECT_FALSE(tasks().CheckBox1->isChecked()) << "the selected task shown as the store has it";
    EXPECT_FALSE(runs("notice1"));
    EXPECT_TRUE(runs("notice2")) << "on its day, though switched off";
    EXPECT_FALSE(storedBool("notice2", layout::notice::enabled));
    EXPECT_TRUE(runs("notice3"));
    EXPECT_TRUE(runs("notice4"));

    clock.setDate(day.addDays(2));
    timeline.advance(checkPeriodMs);
    EXPECT_FALSE(runs("notice2")) << "the day after its day";
    // The first click marks it done again.
    click(tasks().CheckBox1);
    EXPECT_TRUE(stored<bool>("task1", v::complete));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(DayChange, WithTheClockPutBackAPassRunsButLaterTasksStayDone) {
    startBeforeMidnight({{.key = "task1", .name = "Зарядка", .daily = true, .complete = true}});
    clock.set(QDateTime(day.addDays(-1), QTime(12, 0)));
    timeline.advance(checkPeriodMs);
    EXPECT_EQ(tasks().LastCheckDate, dayCountFromDate(day.addDays(-1)));
    EXPECT_TRUE(stored<bool>("task1", v::complete));
    EXPECT_EQ(stored<double>("task1", v::date), dayCountFromDate(day));
}

// A pass resets all the daily tasks or none: a task damaged behind the program's back fails the
// pass after the tasks before it were reset, and they are done still until a pass succeeds.
TEST_F(DayChange, APassThatFailsHalfWayLeavesEveryTaskAsItWas) {
    startBeforeMidnight({{.key = "task1", .name = "Зарядка", .daily = true, .complete = true},
                         {.key = "task2", .name = "Прогулка", .daily = true, .complete = true}});
    const auto damage = [](bool damaged) {
        SettingsStore store;
        store.openKey(std::string(layout::tasksKey) + "\\task2", false);
        if (damaged) {
            store.deleteValue(v::date);
        } else {
            store.writeDate(v::date, dayCountFromDate(day));
        }
    };
    damage(true);
    dialogs.expectError(QStringLiteral("Failed to get data for 'date'"));
    timeline.advance(checkPeriodMs);
    EXPECT_TRUE(stored<bool>("task1", v::complete));
    EXPECT_EQ(stored<double>("task1", v::date), dayCountFromDate(day));
    EXPECT_EQ(tasks().LastCheckDate, dayCountFromDate(day));

    damage(false);
    timeline.advance(checkPeriodMs);
    for (const char* key : {"task1", "task2"}) {
        EXPECT_FALSE(stored<bool>(key, v::complete)) << key;
        EXPECT_EQ(stored<double>(key, v::date), dayCountFromDate(day.addDays(1))) << key;
    }
}

// With a store that fails on any access an unchanged day shows nothing. At the new day the
// failure is reported once, and again only after a pass has succeeded.
TEST_F(DayChange, AnUnchangedDayOpensNothingAndAFailingPassIsReportedOnce) {
    clock.set(QDateTime(day, QTime(8, 0)));
    start({{.key = "task1", .name = "Зарядка", .daily = true, .complete = true}}, 1);
    QTemporaryDir elsewhere;
    QFile blocker(elsewhere.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const auto storeWorks = [&](bool works) {
        qputenv("TICKWELL_CONFIG_DIR",
                (works ? storeFolder() : blocker.fileName() + QStringLiteral("/x")).toLocal8Bit());
        StoreDatabase::resetDefaultDatabase();
    };
    const QString failure =
        QStringLiteral("Failed to open key '\\SOFTWARE\\Tickwell2\\Notifications'");
    storeWorks(false);
    timeline.advance(15 * 60 * 1000);
    EXPECT_TRUE(dialogs.shown().empty());

    clock.setDate(day.addDays(1));
    dialogs.expectError(failure);
    timeline.advance(10 * checkPeriodMs);
    EXPECT_EQ(tasks().LastCheckDate, dayCountFromDate(day));

    storeWorks(true);
    timeline.advance(checkPeriodMs);
    EXPECT_EQ(tasks().LastCheckDate, dayCountFromDate(day.addDays(1)));
    EXPECT_FALSE(stored<bool>("task1", v::complete));

    storeWorks(false);
    clock.setDate(day.addDays(2));
    dialogs.expectError(failure);
    timeline.advance(3 * checkPeriodMs);
    storeWorks(true);
}

} // namespace
} // namespace tickwell::test
