// Task reminders as a person meets them: started from the tab or the tray with a period, one
// notice per period with the next task not done in list order, the refusals, what comes back
// after a restart, and the start-up reset of tasks done on an earlier day.

#include "StoredReminders.h"
#include "TasksFixture.h"
#include "platform/IntervalTimer.h"
#include "reminders/NoticeForm.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "settings/StoreDatabase.h"
#include "tasks/TaskTexts.h"
#include "widgets/AppTexts.h"
#include "widgets/ListBox.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <sqlite3.h>

namespace tickwell::test {
namespace {

namespace l = layout::tasks;

class TaskReminders : public TasksFixture {
protected:
    // Stored as running every `period` seconds, so that start-up starts them again.
    static std::function<void(SettingsStore&)> running(int period) {
        return [period](SettingsStore& store) {
            store.writeInteger(l::tasksInterval, period);
            store.writeBool(l::tasksEnabled, true);
        };
    }

    // One period on: the message of the one notice it brought, or nothing.
    QString nextNotice(int periodSeconds) {
        timeline.advance(periodSeconds * 1000);
        const QStringList shown = noticeTexts();
        destroyNoticeWindows();
        EXPECT_LE(shown.size(), 1);
        return shown.value(0);
    }

    // Whether the reminders run, as the button, the tray item, the timer and the store say.
    void expectRunning(bool on) {
        EXPECT_EQ(tasks().Button11->text(), QString::fromUtf8(on ? texts::stop : texts::start));
        EXPECT_EQ(form->N3->isChecked(), on);
        EXPECT_EQ(form->TasksTimer->isRunning(), on);
        EXPECT_EQ(stored<bool>({}, l::tasksEnabled), on);
    }
};

TEST_F(TaskReminders, EachPeriodShowsTheNextTaskNotDoneInListOrder) {
    start({{.key = "task1", .name = "Один", .complete = true},
           {.key = "task2", .name = "Два"},
           {.key = "task3", .name = "Три", .complete = true},
           {.key = "task4", .name = "Четыре"}},
          4);
    typePeriod(0, 0, 10);
    click(tasks().Button11);
    expectRunning(true);
    EXPECT_EQ(stored<std::int32_t>({}, l::tasksInterval), 10);
    for (const auto& [name, number] :
         {std::pair{"Два", 2}, {"Четыре", 4}, {"Два", 2}, {"Четыре", 4}}) {
        EXPECT_EQ(nextNotice(10), QString::fromUtf8(name));
        EXPECT_EQ(stored<std::int32_t>({}, l::taskNumber), number);
    }
    click(tasks().Button11);
    expectRunning(false);
    EXPECT_EQ(nextNotice(10), QString());
}

TEST_F(TaskReminders, WithEveryTaskDoneNothingIsShownUntilOneIsUnchecked) {
    start({{.key = "task1", .name = "Один", .complete = true},
           {.key = "task2", .name = "Два", .complete = true}},
          2, running(5));
    EXPECT_EQ(nextNotice(5), QString());
    EXPECT_EQ(nextNotice(5), QString());
    EXPECT_TRUE(form->TasksTimer->isRunning());
    EXPECT_EQ(stored<std::int32_t>({}, l::taskNumber), 0);
    clickRow(0);
    click(tasks().CheckBox1);
    EXPECT_EQ(nextNotice(5), QStringLiteral("Один"));
    EXPECT_EQ(nextNotice(5), QStringLiteral("Один")) << "a single task at every tick";
}

// A start needs tasks and a period of at most a day; after a refusal the tray item's mark shows
// again what the store says.
TEST_F(TaskReminders, AStartIsRefusedWithoutTasksOrPeriodOrAboveADay) {
    struct Case {
        int tasks, hours, minutes, seconds;
        const char* refusal;
    };
    for (const Case c : {Case{0, 0, 0, 10, texts::tasks::nothingToRemind},
                         Case{1, 0, 0, 0, texts::tasks::nothingToRemind},
                         Case{1, 24, 0, 1, texts::periodTooLong}, Case{1, 24, 0, 0, nullptr}}) {
        SCOPED_TRACE(c.hours * 3600 + c.seconds);
        start(c.tasks == 0 ? std::vector<StoredTask>{} : std::vector<StoredTask>{{"task1", "Один"}},
              1);
        typePeriod(c.hours, c.minutes, c.seconds);
        if (c.refusal != nullptr) {
            dialogs.expectMessage({.text = QString::fromUtf8(c.refusal),
                                   .caption = QString::fromUtf8(texts::errorCaption),
                                   .icon = MessageIcon::Warning,
                                   .owner = form.get()});
        }
        form->N3->trigger();
        EXPECT_EQ(form->N3->isChecked(), c.refusal == nullptr);
        EXPECT_EQ(stored<bool>({}, l::tasksEnabled), c.refusal == nullptr);
        EXPECT_EQ(tasks().Button11->text(),
                  QString::fromUtf8(c.refusal == nullptr ? texts::stop : texts::tasks::remind));
        form.reset();
    }
}

// Running reminders stop from the tray and from the button, whatever the list and the fields
// hold by then.
TEST_F(TaskReminders, RunningRemindersAlwaysStop) {
    start({{.key = "task1", .name = "Один"}}, 1, running(30));
    form->N3->trigger();
    expectRunning(false);
    form->N3->trigger();
    expectRunning(true);
    clickRow(0);
    click(tasks().Button7);
    typePeriod(0, 0, 0);
    click(tasks().Button11);
    expectRunning(false);
    EXPECT_TRUE(dialogs.shown().empty());
}

// While another process holds the store's write lock, neither a start nor a stop from the tray
// can write its switch: the error is reported and the item's mark shows what still runs.
TEST_F(TaskReminders, TheTrayMarkShowsWhatRunsAfterAStoreError) {
    start({{.key = "task1", .name = "Один"}}, 1, running(30));
    typePeriod(0, 0, 10);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(StoreDatabase::defaultFilePath().c_str(), &other), SQLITE_OK);
    for (const bool running : {true, false}) {
        if (!running) {
            form->N3->trigger();
        }
        ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        dialogs.expectError(QStringLiteral("Failed to set data for '%1'")
                                .arg(running ? "tasksEnabled" : "tasksInterval"));
        form->N3->trigger();
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        expectRunning(running);
    }
    sqlite3_close(other);
}

// After a restart the fields show the stored period, the reminders run again and the rotation
// goes on where it stopped. A notice stays 70 % of a period under 100 s in whole seconds,
// otherwise a minute, and at least a second: with a period of a second one notice at a time.
TEST_F(TaskReminders, RestartedRemindersRunAgainAndGiveTheirNoticesTheirDelay) {
    start({{.key = "task1", .name = "Один"}, {.key = "task2", .name = "Два"}}, 2, running(3725));
    EXPECT_EQ((QStringList{tasks().Edit4->text(), tasks().Edit5->text(), tasks().Edit6->text()}),
              (QStringList{"1", "2", "5"}));
    expectRunning(true);
    EXPECT_EQ(nextNotice(3725), QStringLiteral("Один"));

    for (const auto& [period, delay] :
         {std::pair{100, 60000}, {99, 69000}, {10, 7000}, {1, 1000}}) {
        SCOPED_TRACE(period);
        destroyNoticeWindows();
        SettingsStore store;
        store.openKey(layout::tasksKey, false);
        store.writeInteger(l::tasksInterval, period);
        form.reset();
        startForm();
        timeline.advance(period * 1000);
        const std::vector<TNoticeForm*> notices = noticeWindows();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices.front()->Timer2->interval(), delay);
    }
    timeline.advance(60 * 1000);
    EXPECT_EQ(noticeTexts().size(), 1);
}

TEST_F(TaskReminders, StartUpReturnsTasksDoneOnAnEarlierDayToNotDone) {
    const QDate day = clock.currentDateTime().date();
    start({{.key = "task1", .name = "1", .daily = true, .complete = true, .date = day.addDays(-1)},
           {.key = "task2", .name = "2", .complete = true, .date = day.addDays(-3)},
           {.key = "task3", .name = "3", .complete = true},
           {.key = "task4", .name = "4", .complete = true, .date = day.addDays(1)}},
          4);
    for (const auto& [key, done, date] : {std::tuple{"task1", false, day},
                                          {"task2", false, day},
                                          {"task3", true, day},
                                          {"task4", true, day.addDays(1)}}) {
        EXPECT_EQ(stored<bool>(key, layout::task::complete), done) << key;
        EXPECT_EQ(stored<double>(key, layout::task::date), dayCountFromDate(date)) << key;
    }
}

// A task removed behind the program's back fails every tick; it is reported once.
TEST_F(TaskReminders, AMissingTaskIsReportedOnceNotAtEveryTick) {
    start({{.key = "task1", .name = "Один"}}, 1, running(2));
    SettingsStore().deleteKey(std::string(layout::tasksKey) + "\\task1");
    dialogs.expectError(QStringLiteral("Failed to open key '\\SOFTWARE\\Tickwell2\\Tasks\\task1'"));
    timeline.advance(20 * 1000);
    EXPECT_TRUE(noticeTexts().isEmpty());
    EXPECT_TRUE(form->TasksTimer->isRunning());
}

} // namespace
} // namespace tickwell::test
