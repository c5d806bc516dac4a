#pragma once

// The "Задачи" tab: the to-do list with the selected task's details, its done mark, and the
// period of the task reminders; the day-change check that the main window's CheckTimer runs.

#include "widgets/ReportOnce.h"
#include "widgets/TabPage.h"

#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SettingsStore;

namespace tickwell {

class AutoSizeLabel;
class IntervalTimer;
class ListBox;
class RemindersPage;
class TAddTask;
class UpDown;

class TasksPage : public TabPage {
    Q_OBJECT
public:
    // The tab "TabSheet2". `tasksTimer` is the main window's timer of the task reminders;
    // `reminders` is the Reminders tab, whose notices and dated reminders the tasks share.
    TasksPage(IntervalTimer& tasksTimer, RemindersPage& reminders);
    ~TasksPage() override;

    // --- Controls (each also carries its name as its objectName) -------------------------------
    ListBox* ListBox2;
    QPushButton* Button5; // "Добавить"
    QPushButton* Button6; // "Редактировать"
    QPushButton* Button7; // "Удалить"
    QCheckBox* CheckBox1; // "Выполнено"
    AutoSizeLabel* Label11;
    QLabel* Label12; // description
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
    QPushButton* Button11; // "Напоминать" / "Остановить" / "Запустить"

    // The task editor, made with the tab and reused for every opening.
    TAddTask* AddTask;

    // The day of the last day-change check (days since 1899-12-30); 0 makes the next check a
    // full one.
    double LastCheckDate = 0;

    // The tray item "Задачи" of the main window: its check mark follows the task reminders,
    // and its click runs Button11Click.
    void setTrayItem(QAction* item);

    // --- Handlers and routines ------------------------------------------------------------------
    void ListBox2Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void CheckBox1Click();
    void Button11Click();
    void TasksTimerTimer();
    void ResetTasksAtStart();
    void CheckTimerTimer();

    // Start-up: the list's names and the period from the store's open tasks key.
    void loadTasks(SettingsStore& store);

    void FormResize(int windowWidth) override;
    void refreshDetails() override;

private:
    void buildControls();
    void connectHandlers();

    // Sets the done box as the program shows a task, without taking it for the user's change.
    void showDone(bool done);
    // The task at `index` of the list removed from the store and the list; nothing is selected
    // afterwards and the details are empty.
    void deleteTask(int index);
    // The period in the three fields, in seconds.
    int period() const;
    // Starts or stops the reminders (TaskReminders.cpp); Button11Click runs it keeping the tray
    // item's mark true.
    void switchTaskReminders();
    // What a start or stop does once the input allowed it (TaskReminders.cpp).
    void stopTaskReminders(SettingsStore& store);
    void startTaskReminders(SettingsStore& store, int periodSeconds);
    void refuseStart(const char* text);
    // The index of the next task not done from `first` on, wrapping to the top, or -1.
    int nextUnfinishedTask(const std::vector<std::string>& keys, int first) const;
    void remindOfNextTask();
    // Every listed task (only the daily ones with `dailyOnly`) whose cycle began before `today`
    // not done again, its cycle beginning today.
    void beginNewCycles(double today, bool dailyOnly);
    void checkDayChange();

    IntervalTimer& TasksTimer;
    RemindersPage& reminders_;
    QAction* N3 = nullptr;
    ReportOnce tickFailures_;
    ReportOnce dayChangeFailures_;
};

} // namespace tickwell
