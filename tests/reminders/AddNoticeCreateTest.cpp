// Creating reminders in the editor as a person does: "Добавить", the fields typed in,
// "Создать", the question whether to start it; then the main list, the details, the store and
// the reminder's timer.

#include "EditorFixture.h"
#include "platform/Clock.h"
#include "platform/IntervalTimer.h"
#include "reminders/ReminderRecord.h"
#include "reminders/ReminderTexts.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace tickwell::test {
namespace {

using CreatingReminders = EditorFixture;

TEST_F(CreatingReminders, ANewReminderStartedAtOnceRunsAndShowsItsDetails) {
    start({{.key = "notice3", .name = "Обед"}}, 3);
    create({.name = "Зарядка",
            .text = "Встать\nи размяться",
            .hours = 1,
            .minutes = 23,
            .seconds = 45,
            .once = true},
           MessageAnswer::Yes);

    EXPECT_FALSE(editor().isVisible());
    EXPECT_EQ(reminders().ListBox1->items(), (QStringList{"Обед", "Зарядка"}));
    EXPECT_EQ(reminders().ListBox1->itemIndex(), 1);
    EXPECT_EQ(reminders().Label2->text(), QStringLiteral("1 ч.  23 мин.  45 сек."));
    EXPECT_EQ(reminders().Label22->text(), QStringLiteral("дата не учитывается"));
    EXPECT_EQ(reminders().Label4->text(), QStringLiteral("да"));
    EXPECT_EQ(reminders().Label6->text(), QStringLiteral("Встать\nи размяться"));
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Остановить"));
    EXPECT_TRUE(reminders().Button4->isEnabled());
    EXPECT_TRUE(form->N2->isChecked());

    // The counter gave the number; both lists end with the new reminder.
    EXPECT_EQ(counterValue(), 4);
    EXPECT_EQ(listValue(layout::notifications::notificationsList), "Обед\r\nЗарядка\r\n");
    EXPECT_EQ(listValue(layout::notifications::noticesList), "notice3\r\nnotice4\r\n");
    // Written switched off first, then the record in its order; the start switched it on.
    EXPECT_EQ(valueKinds("notice4"),
              (std::vector<std::string>{"enabled:4", "name:1", "text:1", "once:4", "interval:4",
                                        "dateEnabled:4"}));
    EXPECT_EQ(storedString("notice4", layout::notice::name), "Зарядка");
    EXPECT_EQ(storedString("notice4", layout::notice::text), "Встать\r\nи размяться");
    EXPECT_TRUE(storedBool("notice4", layout::notice::once));
    EXPECT_EQ(storedInteger("notice4", layout::notice::interval), 5025);
    EXPECT_FALSE(storedBool("notice4", layout::notice::dateEnabled));
    EXPECT_TRUE(storedBool("notice4", layout::notice::enabled));

    IntervalTimer* timer = reminders().findReminderTimer("notice4");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->objectName(), QStringLiteral("Timer_notice4"));
    EXPECT_EQ(timer->parent(), form.get());
    EXPECT_EQ(timer->interval(), 5025000);
    EXPECT_TRUE(timer->enabled());
}

TEST_F(CreatingReminders, AnsweringNoLeavesTheNewReminderStopped) {
    start({}, 0);
    create({.name = "Вода", .text = "Стакан", .minutes = 30}, MessageAnswer::No);

    EXPECT_EQ(reminders().ListBox1->items(), QStringList{"Вода"});
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Запустить"));
    EXPECT_EQ(reminders().Label4->text(), QStringLiteral("нет"));
    EXPECT_FALSE(storedBool("notice1", layout::notice::enabled));
    IntervalTimer* timer = reminders().findReminderTimer("notice1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 1800000);
    EXPECT_FALSE(timer->enabled());
    EXPECT_FALSE(form->N2->isChecked());

    // Started by hand, it shows its notice a full period later.
    QTest::mouseClick(reminders().Button4, Qt::LeftButton);
    timeline.advance(1799999);
    EXPECT_TRUE(noticeWindows().empty());
    timeline.advance(1);
    EXPECT_EQ(noticeWindows().size(), 1u);
    destroyNoticeWindows();
}

TEST_F(CreatingReminders, ADatedReminderIsSavedAsAWholeDay) {
    clock.set(QDateTime(QDate(2027, 3, 5), QTime(14, 30)));
    start({}, 0);
    create({.name = "Врач", .text = "Поликлиника", .hours = 2, .day = QDate(2027, 3, 5)},
           MessageAnswer::Yes);

    EXPECT_TRUE(storedBool("notice1", layout::notice::dateEnabled));
    EXPECT_EQ(storedDate("notice1", layout::notice::date), dayCountFromDate(QDate(2027, 3, 5)));
    EXPECT_EQ(valueKinds("notice1").back(), "date:3");
    EXPECT_EQ(reminders().Label22->text(), QStringLiteral("5.3.2027"));
    // Its day is today: started at once.
    EXPECT_TRUE(reminders().findReminderTimer("notice1")->enabled());
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Остановить"));
}

// A reminder for another day gets its timer at once, switched off; starting it asks whether to
// start it on its day, and the answer is its stored switch.
class CreatingForAnotherDay : public EditorFixture,
                              public ::testing::WithParamInterface<MessageAnswer> {};

TEST_P(CreatingForAnotherDay, IsArmedOrStoppedByTheDatedQuestion) {
    const MessageAnswer answer = GetParam();
    clock.set(QDateTime(QDate(2027, 3, 4), QTime(10, 0)));
    start({}, 0);
    openToCreate();
    fill({.name = "Врач", .text = "Поликлиника", .seconds = 10, .day = QDate(2027, 3, 8)});
    expectStartQuestion(MessageAnswer::Yes);
    dialogs.expectMessage({.text = QString::fromUtf8(texts::reminders::startOnItsDay),
                           .caption = QStringLiteral("Ошибка"),
                           .icon = MessageIcon::Question,
                           .owner = form.get(),
                           .answer = answer});
    confirm();

    IntervalTimer* timer = reminders().findReminderTimer("notice1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 10000);
    EXPECT_FALSE(timer->enabled());
    EXPECT_EQ(storedBool("notice1", layout::notice::enabled), answer == MessageAnswer::Yes);
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Запустить"));
    EXPECT_EQ(reminders().Label22->text(), QStringLiteral("8.3.2027"));
}

INSTANTIATE_TEST_SUITE_P(Answers, CreatingForAnotherDay,
                         ::testing::Values(MessageAnswer::Yes, MessageAnswer::No),
                         [](const auto& answerInfo) {
                             return answerInfo.param == MessageAnswer::Yes ? "Yes" : "No";
                         });

TEST_F(CreatingReminders, NumbersComeFromTheCounterAndNamesMayRepeat) {
    start({{.key = "notice2", .name = "Вода"}}, 7);
    create({.name = "Вода", .text = "Ещё стакан", .seconds = 1}, MessageAnswer::No);
    create({.name = "Сон", .text = "Спать", .hours = 24}, MessageAnswer::No);

    EXPECT_EQ(counterValue(), 9);
    EXPECT_EQ(listValue(layout::notifications::notificationsList), "Вода\r\nВода\r\nСон\r\n");
    EXPECT_EQ(listValue(layout::notifications::noticesList), "notice2\r\nnotice8\r\nnotice9\r\n");
    EXPECT_EQ(storedInteger("notice8", layout::notice::interval), 1);
    EXPECT_EQ(storedInteger("notice9", layout::notice::interval), 86400);
    EXPECT_EQ(reminders().findReminderTimer("notice8")->interval(), 1000);
    EXPECT_EQ(reminders().ListBox1->itemIndex(), 2);
    EXPECT_EQ(reminders().Label2->text(), QStringLiteral("24 ч.  0 мин.  0 сек."));
}

// A store brought in from elsewhere (here while the program runs) may hold subkeys above the
// counter: a new reminder never takes one of them over.
TEST_F(CreatingReminders, ANewReminderSkipsSubkeysThatAlreadyExist) {
    start({{.key = "notice2", .name = "Вода", .text = "Стакан"}}, 2);
    {
        SettingsStore store;
        store.openKey(layout::notificationsKey, false);
        store.writeInteger(layout::notifications::notificationsCounter, 0);
    }
    create({.name = "Обед", .text = "Суп", .seconds = 5}, MessageAnswer::No);
    create({.name = "Сон", .text = "Спать", .seconds = 7}, MessageAnswer::No);

    EXPECT_EQ(counterValue(), 3);
    EXPECT_EQ(listValue(layout::notifications::noticesList), "notice2\r\nnotice1\r\nnotice3\r\n");
    EXPECT_EQ(storedString("notice2", layout::notice::name), "Вода");
    EXPECT_EQ(storedString("notice2", layout::notice::text), "Стакан");
    EXPECT_EQ(storedInteger("notice1", layout::notice::interval), 5);
    EXPECT_EQ(storedInteger("notice3", layout::notice::interval), 7);
    for (const char* key : {"notice1", "notice2", "notice3"}) {
        EXPECT_EQ(form->findChildren<IntervalTimer*>(reminders::timerNameFor(key),
                                                     Qt::FindDirectChildrenOnly)
                      .size(),
                  1)
            << key;
    }
}

// A name pasted or set with line breaks and tabs keeps the lists in step: each becomes a space
// in the field, and after a restart every row still shows its own reminder.
TEST_F(CreatingReminders, LineBreaksInANameBecomeSpacesAndTheListsStayInStep) {
    start({{.key = "notice1", .name = "Вода", .text = "Стакан"}}, 1);
    openToCreate();
    QApplication::clipboard()->setText(QStringLiteral("Обед\r\nв час"));
    QTest::keyClick(editor().Edit2, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor().Edit2->text(), QStringLiteral("Обед в час"));
    fill({.text = "Суп", .seconds = 5});
    expectStartQuestion(MessageAnswer::No);
    confirm();

    openToCreate();
    editor().Edit2->setText(QStringLiteral("Сон\tв\nдесять\u2028ровно"));
    EXPECT_EQ(editor().Edit2->text(), QStringLiteral("Сон в десять ровно"));
    fill({.text = "Спать", .seconds = 7});
    expectStartQuestion(MessageAnswer::No);
    confirm();

    // The settings check at the restart finds nothing to repair: no report is scripted.
    form.reset();
    startForm();
    EXPECT_EQ(listValue(layout::notifications::notificationsList),
              "Вода\r\nОбед в час\r\nСон в десять ровно\r\n");
    EXPECT_EQ(listValue(layout::notifications::noticesList), "notice1\r\nnotice2\r\nnotice3\r\n");
    const QStringList texts{"Стакан", "Суп", "Спать"};
    for (int row = 0; row < reminders().ListBox1->count(); ++row) {
        selectRow(row);
        EXPECT_EQ(reminders().Label6->text(), texts[row]) << row;
    }
}

// Each opening to create starts from empty fields, whatever was typed or loaded before.
TEST_F(CreatingReminders, OpeningToCreateEmptiesTheFields) {
    clock.set(QDateTime(QDate(2027, 6, 1), QTime(8, 0)));
    start({{.key = "notice1",
            .name = "Врач",
            .text = "Поликлиника",
            .interval = 3725,
            .once = true,
            .date = QDate(2027, 6, 20)}},
          1);
    openToEdit(0);
    ASSERT_TRUE(editor().CheckBox2->isChecked());
    editor().close();
    EXPECT_FALSE(editor().isVisible());

    openToCreate();
    TAddNotice& e = editor();
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Создать напоминание"));
    EXPECT_EQ(e.Edit2->text(), QString());
    EXPECT_EQ(e.Memo1->toPlainText(), QString());
    EXPECT_FALSE(e.CheckBox1->isChecked());
    EXPECT_FALSE(e.CheckBox2->isChecked());
    EXPECT_FALSE(e.MonthCalendar1->isEnabled());
    EXPECT_FALSE(e.Label7->isEnabled());
    EXPECT_EQ((QStringList{e.Edit1->text(), e.Edit3->text(), e.Edit4->text()}),
              (QStringList{"0", "0", "0"}));
    EXPECT_EQ(e.MonthCalendar1->selectedDate(), QDate(2027, 6, 1));
}

TEST_F(CreatingReminders, AMissingCounterEndsTheSaveBeforeAnythingIsWritten) {
    start({}, 0);
    {
        SettingsStore store;
        store.openKey(layout::notificationsKey, false);
        store.deleteValue(layout::notifications::notificationsCounter);
    }
    const auto before = storeContents();
    openToCreate();
    fill({.name = "Вода", .text = "Стакан", .seconds = 5});
    dialogs.expectError(QStringLiteral("Failed to get data for 'notificationsCounter'"));
    confirm();

    EXPECT_EQ(storeContents(), before);
    EXPECT_EQ(reminders().ListBox1->count(), 0);
    EXPECT_TRUE(editor().isVisible());
}

} // namespace
} // namespace tickwell::test
