// The handlers of the Tasks tab and the day-change check, whose behaviour arrives with the task
// list and its reminders; until then they leave everything as it is, so the controls wired to
// them do nothing yet.

#include "tasks/TasksPage.h"

namespace tickwell {

void TasksPage::ListBox2Click() {}
void TasksPage::Button5Click() {}
void TasksPage::Button6Click() {}
void TasksPage::Button7Click() {}
void TasksPage::CheckBox1Click() {}
void TasksPage::Button11Click() {}
void TasksPage::TasksTimerTimer() {}
void TasksPage::ResetTasksAtStart() {}
void TasksPage::CheckTimerTimer() {}

} // namespace tickwell
