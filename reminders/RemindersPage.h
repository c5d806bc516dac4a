#pragma once

// The "Напоминания" tab: the list of reminders with their details, adding, editing, deleting,
// starting and stopping them; one timer per reminder; the tray item that switches them all.

#include "reminders/NoticeColors.h"
#include "widgets/ReportOnce.h"
#include "widgets/TabPage.h"

#include <string_view>

class QAction;
class QLabel;
class QPushButton;
class SettingsStore;

namespace tickwell {

class AutoSizeLabel;
class IntervalTimer;
class ListBox;
class TAddNotice;

class RemindersPage : public TabPage {
    Q_OBJECT
public:
    // The tab "TabSheet1". Its reminder timers are components of `timerOwner` (the main
    // window), among which they are found again by their names.
    explicit RemindersPage(QObject& timerOwner);
    ~RemindersPage() override;

    // --- Controls (each also carries its name as its objectName) -------------------------------
    ListBox* ListBox1;
    QPushButton* Button1; // "Добавить"
    QPushButton* Button2; // "Редактировать"
    QPushButton* Button3; // "Удалить"
    QPushButton* Button4; // "Запустить" / "Остановить"
    AutoSizeLabel* Label1;
    AutoSizeLabel* Label2; // period
    AutoSizeLabel* Label21;
    AutoSizeLabel* Label22; // day
    AutoSizeLabel* Label3;
    AutoSizeLabel* Label4; // once
    AutoSizeLabel* Label5;
    QLabel* Label6; // text

    // The reminder editor, made with the tab and reused for every opening.
    TAddNotice* AddNotice;
    // The colours of every new notice window, the task reminders' included.
    NoticeColors noticeColors;

    // The tray item "Напоминания" of the main window: its check mark follows the reminders, and
    // its click runs N2Click.
    void setTrayItem(QAction* item);

    // --- Handlers and routines ------------------------------------------------------------------
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

    // Start-up: the list's names from the store's open reminders key.
    void loadReminders(SettingsStore& store);

    // A new reminder timer, a component of the main window: named "Timer_" + `subkey`, firing
    // ReminderTimerTimer every `intervalMs`.
    IntervalTimer* createReminderTimer(std::string_view subkey, int intervalMs, bool enabled);
    // The first reminder timer named "Timer_" + `subkey` among the main window's components, or
    // nullptr.
    IntervalTimer* findReminderTimer(std::string_view subkey) const;

    // A new notice window with the notice colours, showing `message` and closing itself after
    // `closeDelayMs` (0: only when clicked); it belongs to no window and releases itself.
    void showNotice(const QString& message, int closeDelayMs);
    // A new day, or dates that may have changed: every dated reminder's timer runs if its day is
    // today and stops otherwise, whatever its stored switch says; other timers are left alone.
    void switchDatedReminderTimers();

    void FormResize(int windowWidth) override;
    void refreshDetails() override;

signals:
    // A reminder's date or period was edited: the day-change check must look at every dated
    // reminder again at its next pass.
    void remindersEdited();

private:
    void buildControls();
    void connectHandlers();
    void switchAllReminders(bool on);

    QObject& timerOwner_;
    QAction* N2 = nullptr;
    // A failure that every reminder timer meets (a store another process keeps locked) is
    // reported once, not once per firing.
    ReportOnce timerFailures_;
};

} // namespace tickwell
