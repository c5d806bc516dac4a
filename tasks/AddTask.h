#pragma once

// The task editor: one window, created with the Tasks tab and reused, in which the user creates
// a task or changes the one selected in the tab's list. It is shown without being modal; its
// mode is its confirm button's caption ("Создать" or "Изменить"), which the opener sets together
// with the window caption.

#include <QWidget>
#include <string>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SettingsStore;

namespace tickwell {

class AutoSizeLabel;
class TasksPage;

class TAddTask : public QWidget {
    Q_OBJECT
public:
    // The editor of the tasks on `page`, whose list it changes.
    explicit TAddTask(TasksPage& page);
    ~TAddTask() override;

    // --- Controls (each also carries its name as its objectName) -------------------------------
    AutoSizeLabel* Label1; // "Задача:"
    QLineEdit* Edit1;      // name, at most 100 characters
    AutoSizeLabel* Label2; // "Описание:"
    QPlainTextEdit* Memo1; // description, at most 170 characters, line breaks counted
    QCheckBox* CheckBox1;  // "Ежедневная задача"
    QPushButton* Button1;  // "Создать" or "Изменить"

    // --- Handlers -----------------------------------------------------------------------------
    void FormShow();
    void FormResize();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setUpWindow();
    void buildControls();

    // Saving, step by step (AddTaskSave.cpp).
    bool editing() const;
    void createRecord(SettingsStore& store);
    void openEditedRecord(SettingsStore& store, int index);
    void writeRecord(SettingsStore& store);

    TasksPage& page_;
};

} // namespace tickwell
