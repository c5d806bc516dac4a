// The main window's components without a window of their own: the tray menu and the timers; and
// the wiring of the window's own entries to their handlers.

#include "app/MainForm.h"
#include "app/MainFormTexts.h"
#include "platform/IntervalTimer.h"
#include "tasks/TasksPage.h"
#include "widgets/ErrorGuard.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>

namespace tickwell {

namespace {
constexpr int checkTimerInterval = 30000; // ms between two day-change checks
} // namespace

void TMainForm::buildComponents() {
    namespace t = texts::mainForm;
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto item = [this](const char* name, const char* caption, bool checkable) {
        QAction* action = PopupMenu1->addAction(QString::fromUtf8(caption));
        action->setObjectName(QLatin1String(name));
        action->setCheckable(checkable);
        return action;
    };
    N1 = item("N1", t::restoreItem, false);
    N2 = item("N2", t::remindersItem, true);
    N3 = item("N3", t::tasksItem, true);
    N4 = item("N4", t::imagesItem, true);
    N5 = item("N5", t::autostartItem, true);
    N6 = item("N6", t::exitItem, false);
    // The default item is shown in bold; it is greyed while the window is on screen.
    PopupMenu1->setDefaultAction(N1);
    N1->setEnabled(false);

    ImagesTimer = new IntervalTimer(this, QStringLiteral("ImagesTimer"), 0, false);
    TasksTimer = new IntervalTimer(this, QStringLiteral("TasksTimer"), 0, false);
    CheckTimer = new IntervalTimer(this, QStringLiteral("CheckTimer"), checkTimerInterval, true);
}

// The window's own entries; each page wires its controls, its tray item and its timer itself.
void TMainForm::connectHandlers() {
    const auto onItem = [this](QAction* action, void (TMainForm::*handler)()) {
        connectGuarded(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    connectGuarded(PageControl1, &QTabWidget::currentChanged, this,
                   [this] { PageControl1Change(); });
    onItem(N1, &TMainForm::TrayIcon1DblClick);
    onItem(N5, &TMainForm::N5Click);
    onItem(N6, &TMainForm::N6Click);
    connectGuarded(CheckTimer, &IntervalTimer::timeout, this,
                   [this] { TabSheet2->CheckTimerTimer(); });
}

} // namespace tickwell
