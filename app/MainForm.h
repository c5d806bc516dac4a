#pragma once

// The main window: the tab control with its four pages (each in its subsystem's folder, owning
// its controls and handlers), the tray icon and its menu, the timers the window owns, the
// resize rule, and the start-up sequence that fills the pages from the settings store.

#include "platform/InstanceLock.h"

#include <QMargins>
#include <QWidget>

class QAction;
class QMenu;
class QTabWidget;

namespace tickwell {

class HelpPage;
class IntervalTimer;
class RemindersPage;
class SlideshowPage;
class TasksPage;
class TTrayIcon;

class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Builds the window with every page and component and runs the start-up sequence
    // (FormCreate). When another instance already runs, start-up stops after telling the user,
    // and startupRefused() says that the program has to end.
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // True when start-up found another running instance: the program ends without showing
    // this window.
    bool startupRefused() const { return startupRefused_; }
    // Shows the window once start-up is over, or, when the autostart step asked for it, leaves
    // it minimised: hidden in the tray, or on the taskbar where the desktop has no tray.
    void showAfterStartup();

    // --- The tab control and its pages (each also carries its name as its objectName) --------
    QTabWidget* PageControl1;
    RemindersPage* TabSheet1; // "Напоминания"
    TasksPage* TabSheet2;     // "Задачи"
    SlideshowPage* TabSheet3; // "Изображения"
    HelpPage* TabSheet5;      // "Справка"

    // --- Components without a window -----------------------------------------------------------
    QMenu* PopupMenu1;
    QAction* N1; // "Восстановить": the default item, disabled while the window is shown
    QAction* N2; // "Напоминания", run by the Reminders tab
    QAction* N3; // "Задачи", run by the Tasks tab
    QAction* N4; // "Изображения", run by the Images tab
    QAction* N5; // "Автозагрузка"
    QAction* N6; // "Выход"
    // The icon in the notification area, with PopupMenu1 as its menu.
    TTrayIcon* TrayIcon1;
    // The window's timers; their handlers are the pages'. The reminder timers are components of
    // this window too, made and found by the Reminders tab.
    IntervalTimer* ImagesTimer;
    IntervalTimer* TasksTimer;
    IntervalTimer* CheckTimer;

    // --- Handlers and routines of this window --------------------------------------------------
    void FormCreate();
    void FormResize();
    void PageControl1Change();
    void N6Click();
    void CheckSettings();

    // Tray: hiding to and restoring from the tray, autostart.
    void ApplicationEvents1Minimize();
    void TrayIcon1DblClick();
    void N5Click();
    void AutostartAtStart();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUpWindow();
    void buildComponents();
    void buildPages();
    void buildTrayIcon();
    void fitWindowToDesign();
    void connectHandlers();

    // Start-up steps after the single-instance guard.
    bool refuseSecondInstance();
    void reportRecoveredStore();

    InstanceLock instanceLock_;
    QMargins pageMargins_;
    bool startupRefused_ = false;
    // The autostart step asked for the window to end start-up minimised.
    bool minimiseAfterStartup_ = false;
    // The user has been told once that the desktop has no notification area.
    bool noTrayAreaTold_ = false;
};

} // namespace tickwell
