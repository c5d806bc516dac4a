// Changing a reminder in the editor: "Редактировать" loads the selected reminder, "Изменить"
// writes it back to that reminder whatever the main list shows meanwhile, re-times its timer and
// leaves its running state alone; what happens when the reminder is gone meanwhile.

#include "EditorFixture.h"
#include "platform/Clock.h"
#include "platform/IntervalTimer.h"
#include "reminders/ReminderTexts.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ListBox.h"
#include "widgets/UpDown.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace tickwell::test {
namespace {

using EditingReminders = EditorFixture;

TEST_F(EditingReminders, TheEditorLoadsTheSelectedReminder) {
    start({{.key = "notice1", .name = "Обед"},
           {.key = "notice5",
            .name = "Врач",
            .text = "Взять\r\nполис",
            .interval = 3725,
            .once = true,
            .date = QDate(2027, 3, 8)}},
          5);
    openToEdit(1);
    TAddNotice& e = editor();
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Изменить напоминание"));
    EXPECT_EQ(e.Button1->text(), QStringLiteral("Изменить"));
    EXPECT_EQ(e.Edit2->text(), QStringLiteral("Врач"));
    EXPECT_EQ(e.Memo1->toPlainText(), QStringLiteral("Взять\nполис"));
    EXPECT_TRUE(e.CheckBox1->isChecked());
    EXPECT_TRUE(e.CheckBox2->isChecked());
    EXPECT_TRUE(e.MonthCalendar1->isEnabled());
    EXPECT_TRUE(e.Label7->isEnabled());
    EXPECT_EQ(e.MonthCalendar1->selectedDate(), QDate(2027, 3, 8));
    EXPECT_EQ((QStringList{e.Edit1->text(), e.Edit3->text(), e.Edit4->text()}),
              (QStringList{"1", "2", "5"}));
    EXPECT_EQ(e.UpDown1->position() * 3600 + e.UpDown2->position() * 60 + e.UpDown3->position(),
              3725);
    e.close();

    // An undated reminder leaves the calendar on the day it showed.
    openToEdit(0);
    EXPECT_FALSE(e.CheckBox2->isChecked());
    EXPECT_FALSE(e.MonthCalendar1->isEnabled());
    EXPECT_EQ(e.MonthCalendar1->selectedDate(), QDate(2027, 3, 8));
    EXPECT_EQ(e.Edit4->text(), QStringLiteral("0"));
    EXPECT_EQ(e.Edit3->text(), QStringLiteral("1"));
}

TEST_F(EditingReminders, ARunningReminderGetsItsNewPeriodAndKeepsRunning) {
    start({{.key = "notice1", .name = "Обед"},
           {.key = "notice2", .name = "Вода", .text = "Стакан", .interval = 60, .enabled = true}},
          2);
    IntervalTimer* timer = reminders().findReminderTimer("notice2");
    ASSERT_TRUE(timer->enabled());
    timeline.advance(50000);
    openToEdit(1);
    fill({.name = "Чай", .text = "Чашка\nчая", .minutes = 2, .once = true});
    confirm();

    EXPECT_TRUE(dialogs.shown().empty()) << "a change asks nothing";
    EXPECT_FALSE(editor().isVisible());
    EXPECT_EQ(reminders().ListBox1->items(), (QStringList{"Обед", "Чай"}));
    EXPECT_EQ(reminders().ListBox1->itemIndex(), 1);
    EXPECT_EQ(listValue(layout::notifications::notificationsList), "Обед\r\nЧай\r\n");
    EXPECT_EQ(listValue(layout::notifications::noticesList), "notice1\r\nnotice2\r\n");
    EXPECT_EQ(storedString("notice2", layout::notice::name), "Чай");
    EXPECT_EQ(storedString("notice2", layout::notice::text), "Чашка\r\nчая");
    EXPECT_EQ(storedInteger("notice2", layout::notice::interval), 120);
    EXPECT_TRUE(storedBool("notice2", layout::notice::once));
    EXPECT_TRUE(storedBool("notice2", layout::notice::enabled));
    EXPECT_EQ(counterValue(), 2);
    EXPECT_EQ(tasks().LastCheckDate, 0.0);
    EXPECT_EQ(reminders().Label2->text(), QStringLiteral("0 ч.  2 мин.  0 сек."));
    EXPECT_EQ(reminders().Label6->text(), QStringLiteral("Чашка\nчая"));
    EXPECT_EQ(reminders().Label4->text(), QStringLiteral("да"));
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Остановить"));

    // Still running, counting the new period afresh from the save.
    EXPECT_EQ(timer->interval(), 120000);
    EXPECT_TRUE(timer->enabled());
    timeline.advance(119999);
    EXPECT_TRUE(noticeWindows().empty());
    timeline.advance(1);
    EXPECT_EQ(noticeWindows().size(), 1u);
    destroyNoticeWindows();
}

// The pass of the day-change check that follows an edit switches dated reminders by their day
// again, but a once-only one that has fired stays off: it shows one notice on its day.
TEST_F(EditingReminders, AOnceOnlyReminderThatFiredOnItsDayStaysOffAfterAnEdit) {
    const QDate day(2027, 3, 8);
    clock.set(QDateTime(day, QTime(9, 0)));
    start({{.key = "notice1",
            .name = "Врач",
            .interval = 10,
            .once = true,
            .enabled = true,
            .date = day},
           {.key = "notice2", .name = "Обед", .interval = 3600}},
          2);
    timeline.advance(10000);
    ASSERT_EQ(sound.plays(), 1);
    ASSERT_FALSE(storedBool("notice1", layout::notice::enabled));

    openToEdit(1);
    fill({.text = "Суп"});
    confirm();
    ASSERT_EQ(tasks().LastCheckDate, 0.0);
    timeline.advance(10 * 60 * 1000);
    EXPECT_EQ(tasks().LastCheckDate, dayCountFromDate(day)) << "the pass ran";
    EXPECT_FALSE(reminders().findReminderTimer("notice1")->enabled());
    EXPECT_EQ(sound.plays(), 1);
    EXPECT_FALSE(storedBool("notice1", layout::notice::enabled));
}

TEST_F(EditingReminders, SavedUndatedAReminderKeepsItsOldDay) {
    clock.set(QDateTime(QDate(2027, 3, 4), QTime(10, 0)));
    start({{.key = "notice1", .name = "Врач", .date = QDate(2027, 3, 8)}}, 1);
    openToEdit(0);
    fill({.undated = true});
    EXPECT_FALSE(editor().MonthCalendar1->isEnabled());
    confirm();

    EXPECT_FALSE(storedBool("notice1", layout::notice::dateEnabled));
    EXPECT_EQ(storedDate("notice1", layout::notice::date), dayCountFromDate(QDate(2027, 3, 8)));
    EXPECT_EQ(reminders().Label22->text(), QStringLiteral("дата не учитывается"));

    // Dated again for another day: the new day, as a whole day.
    openToEdit(0);
    fill({.day = QDate(2027, 4, 1)});
    confirm();
    EXPECT_TRUE(storedBool("notice1", layout::notice::dateEnabled));
    EXPECT_EQ(storedDate("notice1", layout::notice::date), dayCountFromDate(QDate(2027, 4, 1)));
    EXPECT_EQ(reminders().Label22->text(), QStringLiteral("1.4.2027"));
}

// The editor is modeless: while it is open the user reads other reminders in the main window,
// deletes one, or presses "Редактировать" again. The save goes into the reminder it was opened
// for, in that reminder's row.
TEST_F(EditingReminders, ASaveGoesIntoTheReminderTheEditorWasOpenedFor) {
    start({{.key = "notice1", .name = "Обед", .text = "Суп", .interval = 60},
           {.key = "notice2", .name = "Сон", .text = "Спать", .interval = 90},
           {.key = "notice3", .name = "Вода", .text = "Стакан", .interval = 30}},
          3);
    openToEdit(2);
    fill({.name = "Чай", .hours = 0, .minutes = 2, .seconds = 0});
    selectRow(1);
    ASSERT_EQ(reminders().Label6->text(), QStringLiteral("Спать"));
    QTest::mouseClick(reminders().Button3, Qt::LeftButton); // the edited one moves up a row
    selectRow(0);
    const auto before = storeContents();
    confirm();
    EXPECT_EQ(reminders().ListBox1->items(), (QStringList{"Обед", "Чай"}));
    EXPECT_EQ(listValue(layout::notifications::notificationsList), "Обед\r\nЧай\r\n");
    EXPECT_EQ(storedString("notice3", layout::notice::name), "Чай");
    EXPECT_EQ(storedString("notice3", layout::notice::text), "Стакан");
    EXPECT_EQ(storedInteger("notice3", layout::notice::interval), 120);
    EXPECT_EQ(reminders().findReminderTimer("notice3")->interval(), 120000);
    EXPECT_EQ(reminders().findReminderTimer("notice1")->interval(), 60000);
    // Of the store only the list and the edited reminder changed.
    for (const std::string& line : storeContents()) {
        if (std::find(before.begin(), before.end(), line) == before.end()) {
            EXPECT_TRUE(line.find("\\notice3 ") != std::string::npos ||
                        line.find("notificationsList") != std::string::npos)
                << line;
        }
    }
    EXPECT_EQ(reminders().Label6->text(), QStringLiteral("Суп")) << "the selected one's details";

    // "Редактировать" for another reminder while open shows that one; for the same one it keeps
    // what was typed.
    openToEdit(1);
    fill({.name = "Черновик"});
    openToEdit(1);
    EXPECT_EQ(editor().Edit2->text(), QStringLiteral("Черновик"));
    openToEdit(0);
    EXPECT_EQ(editor().Edit2->text(), QStringLiteral("Обед"));
    EXPECT_EQ(editor().Memo1->toPlainText(), QStringLiteral("Суп"));
    EXPECT_EQ(editor().Edit3->text(), QStringLiteral("1"));

    // A draft of a new reminder is not saved over an existing one either...
    openToCreate();
    fill({.name = "Новое"});
    openToEdit(0);
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("Изменить напоминание"));
    EXPECT_EQ(editor().Edit2->text(), QStringLiteral("Обед"));
    // ...while "Добавить" makes a new reminder of whatever the fields hold.
    openToCreate();
    EXPECT_EQ(editor().Button1->text(), QStringLiteral("Создать"));
    EXPECT_EQ(editor().Edit2->text(), QStringLiteral("Обед"));
    expectStartQuestion(MessageAnswer::No);
    confirm();
    EXPECT_EQ(listValue(layout::notifications::noticesList), "notice1\r\nnotice3\r\nnotice4\r\n");
    EXPECT_EQ(storedString("notice4", layout::notice::text), "Суп");
}

TEST_F(EditingReminders, ADeletedReminderIsNotWrittenAndTheUserIsTold) {
    start({{.key = "notice1", .name = "Обед"}, {.key = "notice2", .name = "Сон"}}, 2);
    openToEdit(0);
    fill({.name = "Ужин"});
    // Deleted from the main window while the editor is open; another one selected.
    QTest::mouseClick(reminders().Button3, Qt::LeftButton);
    selectRow(0);
    const auto before = storeContents();

    expectRefusal(texts::reminders::editedDeleted);
    confirm();
    EXPECT_EQ(storeContents(), before);
    EXPECT_EQ(reminders().ListBox1->items(), QStringList{"Сон"});
    EXPECT_TRUE(editor().isVisible());
}

// Enter on a row opens it as a double click does; in the editor Escape closes without saving
// and Enter saves from each one-line field and from the confirm button, but breaks the line in
// the text.
TEST_F(EditingReminders, TheKeyboardOpensSavesAndCancelsAnEdit) {
    start({{.key = "notice1", .name = "Обед"}, {.key = "notice2", .name = "Сон", .text = "Спать"}},
          2);
    TAddNotice& e = editor();
    ListBox& list = *reminders().ListBox1;
    const auto openByKey = [&](Qt::Key key) {
        selectRow(1);
        list.setFocus();
        QTest::keyClick(&list, key);
        ASSERT_TRUE(e.isVisible());
        ASSERT_EQ(e.Button1->text(), QStringLiteral("Изменить"));
    };
    openByKey(Qt::Key_Return);
    EXPECT_EQ(e.Edit2->text(), QStringLiteral("Сон"));
    const auto before = storeContents();
    e.Memo1->setFocus();
    QTest::keyClick(e.Memo1, Qt::Key_Return);
    EXPECT_EQ(e.Memo1->toPlainText(), QStringLiteral("\nСпать"));
    EXPECT_TRUE(e.isVisible());
    QTest::keyClick(e.Memo1, Qt::Key_Escape);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(storeContents(), before);

    for (QWidget* field :
         std::initializer_list<QWidget*>{e.Edit2, e.Edit1, e.Edit3, e.Edit4, e.Button1}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            const QString name = field->objectName() + QString::number(key);
            openByKey(key);
            fill({.name = name});
            field->setFocus();
            QTest::keyClick(field, key);
            EXPECT_FALSE(e.isVisible()) << name.toStdString();
            EXPECT_EQ(storedString("notice2", layout::notice::name), name.toStdString());
        }
    }
    EXPECT_TRUE(dialogs.shown().empty());
}

// The reminder's subkey removed behind the program's back: the save stops with an error naming
// it, and writes nothing into the reminders key or anywhere else after that point.
TEST_F(EditingReminders, AMissingSubkeyEndsTheSaveWithAnError) {
    start({{.key = "notice1", .name = "Обед", .interval = 60, .enabled = true}}, 1);
    openToEdit(0);
    fill({.name = "Ужин", .minutes = 3});
    SettingsStore().deleteKey(std::string(layout::notificationsKey) + "\\notice1");

    dialogs.expectError(
        QStringLiteral("Failed to open key '\\SOFTWARE\\Tickwell2\\Notifications\\notice1'"));
    confirm();
    EXPECT_TRUE(editor().isVisible());
    // The display list was written before the subkey was reached.
    EXPECT_EQ(listValue(layout::notifications::notificationsList), "Ужин\r\n");
    SettingsStore store;
    EXPECT_FALSE(store.keyExists(std::string(layout::notificationsKey) + "\\notice1"));
    store.openKey(layout::notificationsKey, false);
    EXPECT_FALSE(store.valueExists(layout::notice::name));
    EXPECT_FALSE(store.valueExists(layout::notice::interval));
    EXPECT_EQ(reminders().findReminderTimer("notice1")->interval(), 60000);
    EXPECT_NE(tasks().LastCheckDate, 0.0);
}

} // namespace
} // namespace tickwell::test
