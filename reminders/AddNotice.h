#pragma once

// The reminder editor: one window, created with the main window and reused, in which the user
// creates a reminder or changes one of the main window's list. It is shown without being modal;
// its mode is its confirm button's caption ("Создать" or "Изменить"), set together with the
// window caption when it is opened.

#include <QWidget>
#include <string>

class QCalendarWidget;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SettingsStore;

namespace tickwell {

class AutoSizeLabel;
class RemindersPage;
class UpDown;

class TAddNotice : public QWidget {
    Q_OBJECT
public:
    // The editor of the reminders on `page`, whose list it changes.
    explicit TAddNotice(RemindersPage& page);
    ~TAddNotice() override;

    // --- Controls (each also carries its name as its objectName) -------------------------------
    AutoSizeLabel* Label2; // "Название:"
    QLineEdit* Edit2;      // name, at most 100 characters
    AutoSizeLabel* Label1; // "Через какое время напомнить:"
    QLineEdit* Edit1;      // hours
    UpDown* UpDown1;       // 0 to 24
    AutoSizeLabel* Label4; // "ч."
    QLineEdit* Edit3;      // minutes
    UpDown* UpDown2;       // 0 to 60
    AutoSizeLabel* Label5; // "мин."
    QLineEdit* Edit4;      // seconds
    UpDown* UpDown3;       // 0 to 60
    AutoSizeLabel* Label6; // "сек."
    AutoSizeLabel* Label3; // "Текст напоминания:"
    QPlainTextEdit* Memo1; // text, at most 170 characters, line breaks counted
    QGroupBox* GroupBox1;
    QCheckBox* CheckBox2;  // "Учитывать дату"
    AutoSizeLabel* Label7; // "День напоминания:"
    QCalendarWidget* MonthCalendar1;
    QCheckBox* CheckBox1; // "Напомнить только 1 раз"
    QPushButton* Button1; // "Создать" or "Изменить"

    // Opens the editor to create a reminder; one already open keeps its fields.
    void openToCreate();
    // Opens the editor for the reminder of `subkey`: a save in edit mode goes into that reminder,
    // whatever the main list shows meanwhile. An editor already open for this reminder keeps what
    // the user typed; one open for another reminder, or for a new one, is filled from this one.
    void openToEdit(const std::string& subkey);

    // --- Handlers -----------------------------------------------------------------------------
    void FormShow();
    void CheckBox2Click();
    void FormResize();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setUpWindow();
    void buildControls();
    void buildDateFrame();
    void connectHandlers();

    // Saving, step by step (AddNoticeSave.cpp).
    bool editing() const;
    bool refusesInput();
    // The row of the edited reminder in the lists of the open reminders key, or -1 when it was
    // deleted meanwhile.
    int editedRow(SettingsStore& store) const;
    std::string createRecord(SettingsStore& store);
    std::string openEditedRecord(SettingsStore& store, int row);
    void writeRecord(SettingsStore& store, int period);
    void finishCreating(const std::string& subkey, int period);
    void finishEditing(const std::string& subkey, int period);

    RemindersPage& page_;
    // The subkey of the reminder the editor was last opened for in edit mode.
    std::string editedKey_;
};

} // namespace tickwell
