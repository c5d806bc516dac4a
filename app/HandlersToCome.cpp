// Handlers and routines of the main window whose behaviour arrives with their subsystems: the
// tasks and the images. Each moves to
// its subsystem's folder when that subsystem is built; until then it leaves everything as it is,
// so the controls wired to them do nothing yet.

#include "IntervalTimer.h"
#include "MainForm.h"

namespace tickwell {

// Tasks.
void TMainForm::ListBox2Click() {}
void TMainForm::Button5Click() {}
void TMainForm::Button6Click() {}
void TMainForm::Button7Click() {}
void TMainForm::CheckBox1Click() {}
void TMainForm::Button11Click() {}
void TMainForm::TasksTimerTimer() {}
void TMainForm::ResetTasksAtStart() {}
void TMainForm::CheckTimerTimer() {}

// Images.
void TMainForm::ListBox3Click() {}
void TMainForm::Button8Click() {}
void TMainForm::Button9Click() {}
void TMainForm::Button10Click() {}
void TMainForm::ImagesTimerTimer() {}

} // namespace tickwell
