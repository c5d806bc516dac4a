// The handler of the day-change check, whose behaviour arrives with it; until then it leaves
// everything as it is.

#include "tasks/TasksPage.h"

namespace tickwell {

void TasksPage::CheckTimerTimer() {}

} // namespace tickwell
