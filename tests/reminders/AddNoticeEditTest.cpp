// Changing a reminder in the editor: "Редактировать" loads the selected reminder, "Изменить"
// writes it back to the reminder selected at that moment, re-times its timer and leaves its
// running state alone; what happens when the selection or the reminder is gone meanwhile.

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

// Pressing "Добавить" or "Редактировать" while the editor is open only changes its mode: the
// fields stay as typed, and the save acts on the reminder selected when it is pressed.
TEST_F(EditingReminders, ReopeningChangesTheModeButNotTheFields) {
    start({{.key = "notice1", .name = "Обед", .interval = 60},
           {.key = "notice2", .name = "Сон", .interval = 90}},
          2);
    openToCreate();
    fill({.name = "Черновик", .text = "Набросок", .seconds = 7});
    openToEdit(0);
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("Изменить напоминание"));
    EXPECT_EQ(editor().Button1->text(), QStringLiteral("Изменить"));
    EXPECT_EQ(editor().Edit2->text(), QStringLiteral("Черновик"));
    EXPECT_EQ(editor().Edit4->text(), QStringLiteral("7"));

    selectRow(1);
    confirm();
    EXPECT_EQ(reminders().ListBox1->items(), (QStringList{"Обед", "Черновик"}));
    EXPECT_EQ(storedString("notice2", layout::notice::text), "Набросок");
    EXPECT_EQ(storedInteger("notice1", layout::notice::interval), 60);
    EXPECT_EQ(reminders().findReminderTimer("notice2")->interval(), 7000);
    EXPECT_EQ(counterValue(), 2);

    // And back: a save in create mode makes a new reminder of what the fields hold.
    openToEdit(0);
    openToCreate();
    EXPECT_EQ(editor().Edit2->text(), QStringLiteral("Обед"));
    expectStartQuestion(MessageAnswer::No);
    confirm();
    EXPECT_EQ(reminders().ListBox1->items(), (QStringList{"Обед", "Черновик", "Обед"}));
    EXPECT_EQ(listValue(layout::notifications::noticesList), "notice1\r\nnotice2\r\nnotice3\r\n");
}

TEST_F(EditingReminders, WithoutASelectionNothingIsWrittenAndTheUserIsTold) {
    start({{.key = "notice1", .name = "Обед"}}, 1);
    openToEdit(0);
    fill({.name = "Ужин"});
    // Deleted from the main window while the editor is open.
    QTest::mouseClick(reminders().Button3, Qt::LeftButton);
    ASSERT_EQ(reminders().ListBox1->itemIndex(), -1);
    const auto before = storeContents();

    expectRefusal(texts::reminders::nothingSelected);
    confirm();
    EXPECT_EQ(storeContents(), before);
    EXPECT_EQ(reminders().ListBox1->count(), 0);
    EXPECT_TRUE(editor().isVisible());
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
