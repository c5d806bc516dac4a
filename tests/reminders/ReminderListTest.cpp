// The Reminders tab as a person uses it: selecting a reminder shows its details, "Удалить"
// removes it without a question, "Добавить" and "Редактировать" open the editor in their mode.

#include "MainFormFixture.h"
#include "StoredReminders.h"
#include "platform/IntervalTimer.h"
#include "reminders/AddNotice.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "settings/StoreError.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ListBox.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace tickwell::test {
namespace {

class ReminderList : public MainFormFixture {
protected:
    ~ReminderList() override {
        if (form && reminders().AddNotice) {
            reminders().AddNotice->hide();
        }
    }

    void start(const std::vector<StoredReminder>& reminders, int counter) {
        prepareStore([&](SettingsStore& store) { storeReminders(store, reminders, counter); });
        startForm();
    }

    // Clicks the list item at `row`, as a person selects a reminder.
    void clickRow(int row) {
        QListWidgetItem* item = reminders().ListBox1->item(row);
        ASSERT_NE(item, nullptr);
        const QRect rect = reminders().ListBox1->visualItemRect(item);
        QTest::mouseClick(reminders().ListBox1->viewport(), Qt::LeftButton, {}, rect.center());
    }

    struct Details {
        QString period, day, once, text, button;
        bool buttonEnabled;
        bool operator==(const Details&) const = default;
    };
    Details details() const {
        return {reminders().Label2->text(),  reminders().Label22->text(),
                reminders().Label4->text(),  reminders().Label6->text(),
                reminders().Button4->text(), reminders().Button4->isEnabled()};
    }
};

TEST_F(ReminderList, SelectingAReminderShowsItsDetails) {
    clock.set(QDateTime(QDate(2027, 3, 1), QTime(8, 0)));
    start({{.key = "notice1",
            .name = "Обед",
            .text = "Пора\r\nобедать",
            .interval = 5025,
            .once = true,
            .enabled = true},
           {.key = "notice3", .name = "Врач", .interval = 86400, .date = QDate(2027, 3, 5)},
           {.key = "notice4",
            .name = "Вода",
            .text = "Стакан",
            .interval = 60,
            .enabled = true,
            .date = QDate(2027, 3, 1)}},
          4);
    EXPECT_FALSE(reminders().Button4->isEnabled());

    clickRow(0);
    EXPECT_EQ(details(), (Details{"1 ч.  23 мин.  45 сек.", "дата не учитывается", "да",
                                  "Пора\nобедать", "Остановить", true}));
    clickRow(1);
    EXPECT_EQ(details(),
              (Details{"24 ч.  0 мин.  0 сек.", "5.3.2027", "нет", "Текст", "Запустить", true}));
    // Dated for today and switched on: it runs today.
    clickRow(2);
    EXPECT_EQ(details(),
              (Details{"0 ч.  1 мин.  0 сек.", "1.3.2027", "нет", "Стакан", "Остановить", true}));

    // The keyboard moves the selection and shows the details too.
    QTest::keyClick(reminders().ListBox1, Qt::Key_Up);
    EXPECT_EQ(reminders().Label22->text(), QStringLiteral("5.3.2027"));
}

// Day, month and year are plain numbers, none padded with zeros.
TEST_F(ReminderList, AReminderDayIsShownWithoutLeadingZeros) {
    clock.set(QDateTime(QDate(2027, 3, 1), QTime(8, 0)));
    const std::pair<QDate, const char*> days[] = {{QDate(999, 3, 5), "5.3.999"},
                                                  {QDate(45, 1, 9), "9.1.45"},
                                                  {QDate(2027, 12, 31), "31.12.2027"}};
    std::vector<StoredReminder> stored;
    for (const auto& [day, shown] : days) {
        stored.push_back(
            {.key = "notice" + std::to_string(stored.size() + 1), .name = shown, .date = day});
    }
    start(stored, 3);
    for (int row = 0; row < 3; ++row) {
        clickRow(row);
        EXPECT_EQ(reminders().Label22->text(), QString::fromUtf8(days[row].second));
    }
}

TEST_F(ReminderList, ADatedReminderSwitchedOnForAnotherDayOffersToStart) {
    clock.set(QDateTime(QDate(2027, 3, 4), QTime(23, 59)));
    start({{.key = "notice1", .name = "Врач", .enabled = true, .date = QDate(2027, 3, 5)}}, 1);
    clickRow(0);
    EXPECT_EQ(reminders().Button4->text(), QStringLiteral("Запустить"));
}

// A key list edited behind the program's back so that an entry names another key: "Удалить"
// stops with the store's error and deletes nothing, not that key.
TEST_F(ReminderList, DeletingAnEntryThatNamesAnotherKeyDeletesNothing) {
    start({{.key = "notice1", .name = "Обед"}}, 1);
    const std::string elsewhere = std::string(layout::tasksKey);
    {
        SettingsStore store;
        store.openKey(layout::notificationsKey, false);
        store.writeString(layout::notifications::noticesList, elsewhere + "\r\n");
    }
    const auto before = storeContents();
    const QString refused = QString::fromStdString(
        StoreError::failedToOpen(std::string(layout::notificationsKey) + "\\" + elsewhere).what());
    dialogs.expectError(refused); // the details cannot be shown
    dialogs.expectError(refused); // nor the reminder deleted
    clickRow(0);
    QTest::mouseClick(reminders().Button3, Qt::LeftButton);
    EXPECT_EQ(storeContents(), before);
}

TEST_F(ReminderList, DeletingTheOnlyReminderEmptiesTheListsAndKeepsTheCounter) {
    start({{.key = "notice7", .name = "Обед", .interval = 5025, .enabled = true}}, 7);
    ASSERT_NE(reminders().findReminderTimer("notice7"), nullptr);
    clickRow(0);
    QTest::mouseClick(reminders().Button3, Qt::LeftButton);

    EXPECT_TRUE(dialogs.shown().empty()) << "deleting asks nothing";
    EXPECT_EQ(reminders().ListBox1->count(), 0);
    EXPECT_EQ(reminders().findReminderTimer("notice7"), nullptr);
    EXPECT_EQ(details(), (Details{"", "", "", "", "Запустить", false}));
    SettingsStore store;
    EXPECT_FALSE(store.keyExists(std::string(layout::notificationsKey) + "\\notice7"));
    store.openKey(layout::notificationsKey, false);
    EXPECT_EQ(store.readString(layout::notifications::notificationsList), "");
    EXPECT_EQ(store.readString(layout::notifications::noticesList), "");
    EXPECT_EQ(store.readInteger(layout::notifications::notificationsCounter), 7);
}

TEST_F(ReminderList, RemindersWithTheSameNameAreReachedByTheirPosition) {
    start({{.key = "notice1", .name = "Вода", .interval = 60},
           {.key = "notice2", .name = "Вода", .interval = 120},
           {.key = "notice5", .name = "Сон", .interval = 180}},
          5);
    clickRow(1);
    EXPECT_EQ(reminders().Label2->text(), QStringLiteral("0 ч.  2 мин.  0 сек."));
    QTest::mouseClick(reminders().Button3, Qt::LeftButton);

    SettingsStore store;
    EXPECT_TRUE(store.keyExists(std::string(layout::notificationsKey) + "\\notice1"));
    EXPECT_FALSE(store.keyExists(std::string(layout::notificationsKey) + "\\notice2"));
    store.openKey(layout::notificationsKey, false);
    EXPECT_EQ(store.readString(layout::notifications::notificationsList), "Вода\r\nСон\r\n");
    EXPECT_EQ(store.readString(layout::notifications::noticesList), "notice1\r\nnotice5\r\n");
    EXPECT_NE(reminders().findReminderTimer("notice1"), nullptr);
    EXPECT_EQ(reminders().findReminderTimer("notice2"), nullptr);

    // Nothing is selected after a delete: a second press deletes nothing unseen.
    EXPECT_EQ(reminders().ListBox1->itemIndex(), -1);
    const auto afterDelete = storeContents();
    QTest::mouseClick(reminders().Button3, Qt::LeftButton);
    EXPECT_EQ(storeContents(), afterDelete);

    clickRow(1);
    EXPECT_EQ(reminders().Label2->text(), QStringLiteral("0 ч.  3 мин.  0 сек."));
}

TEST_F(ReminderList, WithoutASelectionEditAndDeleteDoNothing) {
    start({{.key = "notice1", .name = "Обед"}}, 1);
    const auto before = storeContents();
    QTest::mouseClick(reminders().Button2, Qt::LeftButton);
    QTest::mouseClick(reminders().Button3, Qt::LeftButton);
    QTest::mouseClick(reminders().Button4, Qt::LeftButton); // disabled: nothing to start
    reminders().Button4Click();                             // even when run directly
    EXPECT_FALSE(reminders().AddNotice->isVisible());
    EXPECT_EQ(reminders().ListBox1->count(), 1);
    EXPECT_EQ(storeContents(), before);
}

TEST_F(ReminderList, AddAndEditOpenTheEditorInTheirMode) {
    start({{.key = "notice1", .name = "Обед"}}, 1);
    QTest::mouseClick(reminders().Button1, Qt::LeftButton);
    EXPECT_TRUE(reminders().AddNotice->isVisible());
    EXPECT_EQ(reminders().AddNotice->windowTitle(), QStringLiteral("Создать напоминание"));
    EXPECT_EQ(reminders().AddNotice->Button1->text(), QStringLiteral("Создать"));
    reminders().AddNotice->hide();

    clickRow(0);
    const QRect rect = reminders().ListBox1->visualItemRect(reminders().ListBox1->item(0));
    QTest::mouseDClick(reminders().ListBox1->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_TRUE(reminders().AddNotice->isVisible());
    EXPECT_EQ(reminders().AddNotice->windowTitle(), QStringLiteral("Изменить напоминание"));
    EXPECT_EQ(reminders().AddNotice->Button1->text(), QStringLiteral("Изменить"));
}

// The handlers stop with an error instead of reading or writing elsewhere when the layout was
// changed behind the program's back.
TEST_F(ReminderList, AMissingSubkeyOrListEntryEndsTheHandlerWithAnError) {
    start({{.key = "notice1", .name = "Обед"}, {.key = "notice2", .name = "Сон"}}, 2);
    {
        SettingsStore store;
        store.deleteKey(std::string(layout::notificationsKey) + "\\notice1");
        store.openKey(layout::notificationsKey, false);
        store.writeString(layout::notifications::noticesList, "notice1\r\n");
    }
    const auto before = storeContents();

    dialogs.expectError(
        QStringLiteral("Failed to open key '\\SOFTWARE\\Tickwell2\\Notifications\\notice1'"));
    clickRow(0);
    dialogs.expectError(QStringLiteral("List index out of bounds (1)"));
    clickRow(1);
    dialogs.expectError(QStringLiteral("List index out of bounds (1)"));
    QTest::mouseClick(reminders().Button3, Qt::LeftButton);

    EXPECT_EQ(storeContents(), before);
    EXPECT_EQ(reminders().ListBox1->count(), 2);
}

} // namespace
} // namespace tickwell::test
