// The day-change check, every 30 seconds while the program runs: at a new day (or with the clock
// put back, or after a reminder was edited) the dated reminders run only on their day and the
// daily tasks done on an earlier day are not done any more.

#include "platform/Clock.h"
#include "reminders/RemindersPage.h"
#include "tasks/TasksPage.h"

namespace tickwell {

// On the day of the last pass a tick opens nothing.
void TasksPage::CheckTimerTimer() {
    if (currentClock().today() - LastCheckDate == 0) {
        return;
    }
    dayChangeFailures_.run(this, [this] { checkDayChange(); });
}

// A pass that fails keeps the old day, so the next tick tries again from the beginning.
void TasksPage::checkDayChange() {
    const double today = currentClock().today();
    reminders_.switchDatedReminderTimers();
    beginNewCycles(today, true);
    LastCheckDate = today;
    // The selected task may have been reset: its done box shows the store again.
    refreshDetails();
}

} // namespace tickwell
