// Task reminders: started and stopped by the tab's button and the tray item, one notice per
// period with the next task not done, in list order; and the start-up reset of tasks done on an
// earlier day.

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/IntervalTimer.h"
#include "reminders/RemindersPage.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "tasks/TaskRecord.h"
#include "tasks/TaskTexts.h"
#include "tasks/TasksPage.h"
#include "widgets/AppTexts.h"
#include "widgets/ListBox.h"
#include "widgets/PeriodFields.h"
#include "widgets/UpDown.h"

#include <QAction>
#include <QPushButton>

namespace tickwell {

namespace {
namespace t = texts::tasks;
} // namespace

int TasksPage::period() const {
    return periodSeconds(*UpDown4, *UpDown5, *UpDown6);
}

// The stored switch alone decides between starting and stopping. Running reminders always stop;
// only a start needs tasks in the list and a period of at most a day in the fields.
void TasksPage::switchTaskReminders() {
    SettingsStore store;
    tasks::openTasksKey(store);
    if (store.readBool(layout::tasks::tasksEnabled)) {
        stopTaskReminders(store);
        return;
    }
    const int seconds = period();
    if (ListBox2->count() == 0 || seconds == 0) {
        refuseStart(t::nothingToRemind);
    } else if (seconds > longestPeriodSeconds) {
        refuseStart(texts::periodTooLong);
    } else {
        startTaskReminders(store, seconds);
    }
}

// The tray item has already changed its mark; it shows again what the store says, read after
// the box, during which the reminders may have been switched.
void TasksPage::refuseStart(const char* text) {
    dialogs().inform(window(), QString::fromUtf8(text), QString::fromUtf8(texts::errorCaption),
                     MessageIcon::Warning);
    SettingsStore store;
    tasks::openTasksKey(store);
    N3->setChecked(store.readBool(layout::tasks::tasksEnabled));
}

void TasksPage::stopTaskReminders(SettingsStore& store) {
    store.writeBool(layout::tasks::tasksEnabled, false);
    N3->setChecked(false);
    TasksTimer.setEnabled(false);
    Button11->setText(QString::fromUtf8(texts::start));
}

// The first reminder comes one full period after the start.
void TasksPage::startTaskReminders(SettingsStore& store, int periodSeconds) {
    TasksTimer.setInterval(periodSeconds * 1000);
    store.writeInteger(layout::tasks::tasksInterval, periodSeconds);
    store.writeBool(layout::tasks::tasksEnabled, true);
    N3->setChecked(true);
    TasksTimer.setEnabled(true);
    Button11->setText(QString::fromUtf8(texts::stop));
}

// A damage that lasts would fail every tick: it is reported once.
void TasksPage::TasksTimerTimer() {
    tickFailures_.run(this, [this] { remindOfNextTask(); });
}

// The search begins just after the task announced last; with every task done nothing is shown
// and the place stays where it was.
void TasksPage::remindOfNextTask() {
    SettingsStore store;
    tasks::openTasksKey(store);
    int first = store.readInteger(layout::tasks::taskNumber);
    if (first < 0 || first >= ListBox2->count()) {
        first = 0;
    }
    const std::vector<std::string> keys = tasks::readKeyList(store);
    const int found = nextUnfinishedTask(keys, first);
    if (found < 0) {
        return;
    }
    store.writeInteger(layout::tasks::taskNumber, found + 1);
    const int closeDelayMs =
        tasks::noticeCloseDelayMs(store.readInteger(layout::tasks::tasksInterval));
    tasks::openTaskKey(store, tasks::keyAt(keys, found));
    reminders_.showNotice(QString::fromStdString(store.readString(layout::task::name)),
                          closeDelayMs);
}

int TasksPage::nextUnfinishedTask(const std::vector<std::string>& keys, int first) const {
    const int count = ListBox2->count();
    SettingsStore store;
    const auto done = [&](int index) {
        tasks::openTaskKey(store, tasks::keyAt(keys, index));
        return store.readBool(layout::task::complete);
    };
    for (int i = first; i < count; ++i) {
        if (!done(i)) {
            return i;
        }
    }
    for (int i = 0; i < first; ++i) {
        if (!done(i)) {
            return i;
        }
    }
    return -1;
}

// At start-up every task done on an earlier day begins a new cycle, one-off tasks included.
void TasksPage::ResetTasksAtStart() {
    beginNewCycles(currentClock().today(), false);
}

// All the tasks' new cycles are one change, made durable with one sync to disk: a day with many
// tasks done starts as fast as any other, and a failure leaves every task as it was.
void TasksPage::beginNewCycles(double today, bool dailyOnly) {
    SettingsStore store;
    SettingsStore::Batch batch(store);
    tasks::openTasksKey(store);
    const std::vector<std::string> keys = tasks::readKeyList(store);
    for (int i = 0; i < ListBox2->count(); ++i) {
        tasks::openTaskKey(store, tasks::keyAt(keys, i));
        if (dailyOnly && !store.readBool(layout::task::daily)) {
            continue;
        }
        if (tasks::startsNewCycle(store.readDate(layout::task::date), today)) {
            tasks::beginNewCycle(store, today);
        }
    }
    batch.commit();
}

} // namespace tickwell
