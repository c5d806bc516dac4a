// The main window in the notification area: its tray icon, hiding to the tray when minimised,
// restoring from it, and the autostart switch.

#include "app/Autostart.h"
#include "app/MainForm.h"
#include "app/MainFormTexts.h"
#include "app/ProgramIcon.h"
#include "app/TrayIcon.h"
#include "platform/Dialogs.h"
#include "platform/TrayArea.h"
#include "widgets/AppTexts.h"
#include "widgets/ErrorGuard.h"
#include "widgets/TabPage.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QTabWidget>
#include <QWindowStateChangeEvent>

namespace tickwell {

void TMainForm::buildTrayIcon() {
    TrayIcon1 = new TTrayIcon(this);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    TrayIcon1->setHint(QString::fromUtf8(texts::applicationTitle));
    TrayIcon1->setShowHint(true);
    TrayIcon1->setIcon(programIcon());
    TrayIcon1->setPopupMenu(PopupMenu1);
    TrayIcon1->OnDblClick = [this] { guarded(this, [this] { TrayIcon1DblClick(); }); };
}

// The window reports its own minimising (its minimise button, the window manager, or the command
// posted by the autostart step). The minimise handler runs once the state change is over, and
// only if the window is still minimised by then.
void TMainForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) {
        return;
    }
    const bool wasMinimized =
        static_cast<QWindowStateChangeEvent*>(event)->oldState().testFlag(Qt::WindowMinimized);
    if (isMinimized() && !wasMinimized) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isMinimized()) {
                    guarded(this, [this] { ApplicationEvents1Minimize(); });
                }
            },
            Qt::QueuedConnection);
    } else if (!isMinimized() && wasMinimized && isVisible()) {
        // Back from the taskbar (a desktop without a notification area): the window is on
        // screen again, so there is nothing to restore.
        N1->setEnabled(false);
    }
}

void TMainForm::ApplicationEvents1Minimize() {
    if (trayArea().isAvailable()) {
        TrayIcon1->HideToTray();
    } else if (!noTrayAreaTold_) {
        // Hiding would leave the user nothing to click: the window stays on the taskbar.
        noTrayAreaTold_ = true;
        dialogs().inform(nullptr, QString::fromUtf8(texts::mainForm::noTrayArea),
                         QString::fromUtf8(texts::applicationTitle), MessageIcon::Information);
    }
    N1->setEnabled(true);
}

// The tray icon's double click, and "Восстановить": the window back, the details of the tab on
// view read again.
void TMainForm::TrayIcon1DblClick() {
    TrayIcon1->RestoreFromTray();
    N1->setEnabled(false);
    static_cast<TabPage*>(PageControl1->currentWidget())->refreshDetails();
}

// "Автозагрузка" has already changed its mark. When the entry cannot be written or removed, the
// mark goes back to what the desktop will really do, and the error is reported.
void TMainForm::N5Click() {
    try {
        if (N5->isChecked()) {
            autostart::writeEntry(autostart::runningExecutable());
        } else {
            autostart::removeEntry();
        }
    } catch (...) {
        N5->setChecked(autostart::entryExists());
        throw;
    }
}

// With an autostart entry the program renews it with the path of the executable just started
// (it may have moved) and ends its start-up minimised, which hides it in the tray. A failed
// renewal leaves the old entry, which still starts the program; start-up goes on.
void TMainForm::AutostartAtStart() {
    if (!autostart::entryExists()) {
        N5->setChecked(false);
        return;
    }
    try {
        autostart::writeEntry(autostart::runningExecutable());
    } catch (const std::runtime_error&) {
        // As above: nothing to tell at start-up.
    }
    N5->setChecked(true);
    // Minimised only once start-up is over (showAfterStartup): a message box shown during
    // start-up runs the event loop, and a minimise carried out then would meet a window not
    // shown yet and leave it minimised on the taskbar instead of in the tray.
    minimiseAfterStartup_ = true;
}

void TMainForm::showAfterStartup() {
    if (!minimiseAfterStartup_) {
        show();
        return;
    }
    minimiseAfterStartup_ = false;
    if (trayArea().isAvailable()) {
        // Straight into the tray: the window never appears.
        guarded(this, [this] { ApplicationEvents1Minimize(); });
    } else {
        // Minimised on the taskbar; the minimise handler says once that there is no tray.
        showMinimized();
    }
}

} // namespace tickwell
