// The handlers of the task reminders and the day-change check, whose behaviour arrives with
// them; until then they leave everything as it is, so the controls wired to them do nothing yet.

#include "tasks/TasksPage.h"

namespace tickwell {

void TasksPage::Button11Click() {}
void TasksPage::TasksTimerTimer() {}
void TasksPage::ResetTasksAtStart() {}
void TasksPage::CheckTimerTimer() {}

} // namespace tickwell
