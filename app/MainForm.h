#pragma once

// The main window: four tabs (reminders, tasks, images, help), the tray menu and the timers it
// owns. Its start-up sequence fills it from the settings store; each subsystem defines the
// handlers of its own controls in its own folder.

#include "InstanceLock.h"

#include <QMargins>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <string_view>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class SettingsStore;

namespace tickwell {

class AutoSizeLabel;
class IntervalTimer;
class TAddNotice;
class TTrayIcon;
class LinkLabel;
class ListBox;
class UpDown;

class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Builds the window with every control and runs the start-up sequence (FormCreate). When
    // another instance already runs, start-up stops after telling the user, and
    // startupRefused() says that the program has to end.
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // True when start-up found another running instance: the program ends without showing
    // this window.
    bool startupRefused() const { return startupRefused_; }
    // Shows the window once start-up is over, or, when the autostart step asked for it, leaves
    // it minimised: hidden in the tray, or on the taskbar where the desktop has no tray.
    void showAfterStartup();

    // --- Controls (each also carries its name as its objectName) -------------------------------
    QTabWidget* PageControl1;
    QWidget* TabSheet1; // "Напоминания"
    QWidget* TabSheet2; // "Задачи"
    QWidget* TabSheet3; // "Изображения"
    QWidget* TabSheet5; // "Справка"

    // Reminders tab.
    ListBox* ListBox1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    AutoSizeLabel* Label1;
    AutoSizeLabel* Label2;
    AutoSizeLabel* Label21;
    AutoSizeLabel* Label22;
    AutoSizeLabel* Label3;
    AutoSizeLabel* Label4;
    AutoSizeLabel* Label5;
    QLabel* Label6;

    // Tasks tab.
    ListBox* ListBox2;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QCheckBox* CheckBox1;
    AutoSizeLabel* Label11;
    QLabel* Label12;
    AutoSizeLabel* Label13;
    QLineEdit* Edit4;
    UpDown* UpDown4;
    AutoSizeLabel* Label17;
    QLineEdit* Edit5;
    UpDown* UpDown5;
    AutoSizeLabel* Label18;
    QLineEdit* Edit6;
    UpDown* UpDown6;
    AutoSizeLabel* Label19;
    QPushButton* Button11;

    // Images tab.
    ListBox* ListBox3;
    QPushButton* Button8;
    QPushButton* Button9;
    AutoSizeLabel* Label7;
    QLineEdit* Edit1;
    UpDown* UpDown1;
    AutoSizeLabel* Label14;
    QLineEdit* Edit2;
    UpDown* UpDown2;
    AutoSizeLabel* Label15;
    QLineEdit* Edit3;
    UpDown* UpDown3;
    AutoSizeLabel* Label16;
    AutoSizeLabel* Label20;
    QLineEdit* Edit7;
    UpDown* UpDown7;
    QPushButton* Button10;

    // Help tab.
    QLabel* Image1;
    AutoSizeLabel* Label8;
    AutoSizeLabel* Label9;
    LinkLabel* Label10;
    QPlainTextEdit* Memo1;

    // --- Components without a window ----------------------------------------------------------
    QMenu* PopupMenu1;
    QAction* N1; // "Восстановить": the default item, disabled while the window is shown
    QAction* N2; // "Напоминания"
    QAction* N3; // "Задачи"
    QAction* N4; // "Изображения"
    QAction* N5; // "Автозагрузка"
    QAction* N6; // "Выход"
    // The icon in the notification area, with PopupMenu1 as its menu.
    TTrayIcon* TrayIcon1;
    IntervalTimer* ImagesTimer;
    IntervalTimer* TasksTimer;
    IntervalTimer* CheckTimer;

    // The file-open dialog of the images list: full paths of the chosen JPEG files, empty when
    // the user cancelled.
    QStringList OpenDialog1Execute();

    // --- Windows created with this one and kept for the whole run ----------------------------
    // The reminder editor, shown without being modal and reused for every opening.
    TAddNotice* AddNotice = nullptr;

    // --- Reminder timers ---------------------------------------------------------------------
    // A new reminder timer owned by this window: named "Timer_" + `subkey`, firing
    // ReminderTimerTimer every `intervalMs`.
    IntervalTimer* createReminderTimer(std::string_view subkey, int intervalMs, bool enabled);
    // The first reminder timer named "Timer_" + `subkey` among this window's components, or
    // nullptr.
    IntervalTimer* findReminderTimer(std::string_view subkey) const;

    // --- State shared by the subsystems -------------------------------------------------------
    // Full paths of the slideshow images, parallel to ListBox3.
    QStringList ImagePaths;
    // Colours of every new notice window (red in the low byte, then green, then blue).
    std::uint32_t NoticeBackgroundColor = 0;
    std::uint32_t NoticeTextColor = 0;
    // The day of the last day-change check (days since 1899-12-30).
    double LastCheckDate = 0;

    // --- Handlers and routines of this window --------------------------------------------------
    void FormCreate();
    void FormResize();
    void PageControl1Change();
    void Label10Click();
    void N6Click();
    void CheckSettings();

    // Tray: hiding to and restoring from the tray, autostart.
    void ApplicationEvents1Minimize();
    void TrayIcon1DblClick();
    void N5Click();
    void AutostartAtStart();

    // Reminders.
    void ListBox1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void N2Click();
    void CreateReminderTimers();
    void StartAllReminders();
    void StopAllReminders();
    void UpdateRemindersMenuCheck();
    void ReminderTimerTimer(IntervalTimer* sender);

    // Tasks.
    void ListBox2Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void CheckBox1Click();
    void Button11Click();
    void TasksTimerTimer();
    void ResetTasksAtStart();
    void CheckTimerTimer();

    // Images.
    void ListBox3Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void ImagesTimerTimer();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUpWindow();
    void fitWindowToDesign();
    void turnOnHelpWordWrap();
    void buildRemindersTab();
    void buildTasksTab();
    void buildImagesTab();
    void buildHelpTab();
    void buildComponents();
    void buildTrayIcon();
    void connectHandlers();

    // Start-up steps after the single-instance guard.
    bool refuseSecondInstance();
    void reportRecoveredStore();
    void loadImages(SettingsStore& store);
    void loadReminders(SettingsStore& store);
    void loadTasks(SettingsStore& store);

    InstanceLock instanceLock_;
    QMargins pageMargins_;
    bool startupRefused_ = false;
    // The autostart step asked for the window to end start-up minimised.
    bool minimiseAfterStartup_ = false;
    // The user has been told once that the desktop has no notification area.
    bool noTrayAreaTold_ = false;
};

} // namespace tickwell
