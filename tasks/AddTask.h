#pragma once

// The task editor: one window, created with the Tasks tab and reused, in which the user creates
// a task or changes one of the tab's list. It is shown without being modal; its mode is its
// confirm button's caption ("Создать" or "Изменить"), set together with the window caption when
// it is opened.

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

    // Opens the editor to create a task; one already open keeps its fields.
    void openToCreate();
    // Opens the editor for the task of `subkey`: a save in edit mode goes into that task,
    // whatever the tab's list shows meanwhile. An editor already open for this task keeps what
    // the user typed; one open for another task, or for a new one, is filled from this one.
    void openToEdit(const std::string& subkey);

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
    // The row of the edited task in the lists of the open tasks key, or -1 when it was deleted
    // meanwhile.
    int editedRow(SettingsStore& store) const;
    void createRecord(SettingsStore& store);
    void openEditedRecord(SettingsStore& store, int row);
    void writeRecord(SettingsStore& store);

    TasksPage& page_;
    // The subkey of the task the editor was last opened for in edit mode.
    std::string editedKey_;
};

} // namespace tickwell
