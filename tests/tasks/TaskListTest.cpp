// The to-do list as a person keeps it: tasks added, edited and deleted through the tab's buttons
// and the editor, the details of the selected task, the done mark with its question for one-off
// tasks; then what the store holds.

#include "StoredReminders.h"
#include "TasksFixture.h"
#include "Typing.h"
#include "reminders/RemindersPage.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "tasks/TaskTexts.h"
#include "widgets/AppTexts.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ListBox.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace tickwell::test {
namespace {

namespace v = layout::task;
namespace l = layout::tasks;

class TaskList : public TasksFixture {
protected:
    struct Details {
        QString description;
        bool done, enabled;
        bool operator==(const Details&) const = default;
    };
    Details details() const {
        return {tasks().Label12->text(), tasks().CheckBox1->isChecked(),
                tasks().CheckBox1->isEnabled()};
    }
    QStringList names() const { return tasks().ListBox2->items(); }

    void expectDeleteQuestion(MessageAnswer answer) {
        dialogs.expectMessage({.text = QString::fromUtf8(texts::tasks::deleteOneOff),
                               .caption = QString::fromUtf8(texts::applicationTitle),
                               .icon = MessageIcon::Question,
                               .buttons = MessageButtons::YesNo,
                               .owner = form.get(),
                               .answer = answer});
    }
};

TEST_F(TaskList, AddingInAFreshStoreMakesTaskOneAndAnEmptyNameSurvivesARestart) {
    startForm();
    addTask(QStringLiteral("Почта"), QStringLiteral("Ответить\nАнне"), true);
    EXPECT_FALSE(editor().isVisible());
    EXPECT_EQ(stored<std::int32_t>({}, l::tasksCounter), 1);
    EXPECT_EQ(stored<std::string>({}, l::tskList), "task1\r\n");
    EXPECT_EQ(stored<std::string>({}, l::tasksList), "Почта\r\n");
    // The five values, in this order.
    std::vector<std::string> written;
    for (const std::string& line : storeContents()) {
        if (line.starts_with("HKLM\\SOFTWARE\\Tickwell2\\Tasks\\task1 ")) {
            written.push_back(line.substr(line.find(' ') + 1, line.find('=') - line.find(' ') - 1));
        }
    }
    EXPECT_EQ(written, (std::vector<std::string>{"name", "text", "daily", "complete", "date"}));
    EXPECT_EQ(stored<std::string>("task1", v::text), "Ответить\r\nАнне");
    EXPECT_TRUE(stored<bool>("task1", v::daily));
    EXPECT_FALSE(stored<bool>("task1", v::complete));
    EXPECT_EQ(stored<double>("task1", v::date), today());

    addTask({}, QStringLiteral("без названия"), false);
    form.reset();
    startForm();
    EXPECT_EQ(names(), (QStringList{"Почта", ""}));
    clickRow(1);
    EXPECT_EQ(details(), (Details{"без названия", false, true}));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(TaskList, DeletingTheMiddleTaskAndAddingWhileOneIsSelected) {
    start({{.key = "task1", .name = "Один", .text = "Первое", .complete = true},
           {.key = "task2", .name = "Два"},
           {.key = "task3", .name = "Три"}},
          3);
    clickRow(1);
    click(tasks().Button7);
    EXPECT_FALSE(taskExists("task2"));
    EXPECT_EQ(names(), (QStringList{"Один", "Три"}));
    EXPECT_EQ(stored<std::string>({}, l::tasksList), "Один\r\nТри\r\n");
    EXPECT_EQ(stored<std::string>({}, l::tskList), "task1\r\ntask3\r\n");
    EXPECT_EQ(tasks().ListBox2->itemIndex(), -1);
    EXPECT_EQ(details(), (Details{"", false, false}));

    clickRow(0);
    addTask(QStringLiteral("Четыре"), {}, false);
    EXPECT_EQ(stored<std::string>({}, l::tskList), "task1\r\ntask3\r\ntask4\r\n");
    EXPECT_EQ(tasks().ListBox2->itemIndex(), 0);
    EXPECT_EQ(details(), (Details{"Первое", true, true}));
    EXPECT_TRUE(dialogs.shown().empty()) << "deleting asks nothing";
}

TEST_F(TaskList, SavingAnEditedTaskClearsItsDoneMarkAndStartsItsCycleToday) {
    // Dated tomorrow (the clock was put back), so that the start-up reset leaves it done.
    const QDate tomorrow = clock.currentDateTime().date().addDays(1);
    start({{.key = "task1", .name = "Спорт"},
           {.key = "task7",
            .name = "Почта",
            .text = "Ответить",
            .daily = true,
            .complete = true,
            .date = tomorrow}},
          7);
    clickRow(1);
    const QRect row = tasks().ListBox2->visualItemRect(tasks().ListBox2->item(1));
    QTest::mouseDClick(tasks().ListBox2->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(editor().windowTitle(), QStringLiteral("Изменить задачу"));
    EXPECT_EQ(editor().Button1->text(), QStringLiteral("Изменить"));
    EXPECT_EQ(editor().Memo1->toPlainText(), QStringLiteral("Ответить"));
    EXPECT_TRUE(editor().CheckBox1->isChecked());
    typeOver(editor().Edit1, QStringLiteral("Письма"));
    click(editor().Button1);

    EXPECT_EQ(names(), (QStringList{"Спорт", "Письма"}));
    EXPECT_EQ(stored<std::string>({}, l::tasksList), "Спорт\r\nПисьма\r\n");
    EXPECT_FALSE(stored<bool>("task7", v::complete));
    EXPECT_EQ(stored<double>("task7", v::date), today());
    EXPECT_EQ(details(), (Details{"Ответить", false, true}));
    EXPECT_EQ(stored<std::int32_t>({}, l::tasksCounter), 7);
}

TEST_F(TaskList, OnlyMarkingAOneOffTaskDoneAsksAndYesDeletesIt) {
    start({{.key = "task1", .name = "Зарядка", .daily = true},
           {.key = "task2", .name = "Хлеб"},
           {.key = "task3", .name = "Звонок", .text = "Маме", .complete = true}},
          3);
    clickRow(0);
    click(tasks().CheckBox1);
    EXPECT_TRUE(stored<bool>("task1", v::complete));

    clickRow(1);
    expectDeleteQuestion(MessageAnswer::No);
    click(tasks().CheckBox1);
    EXPECT_TRUE(stored<bool>("task2", v::complete));
    click(tasks().CheckBox1); // unchecking asks nothing
    EXPECT_FALSE(stored<bool>("task2", v::complete));

    // Showing a done one-off task asks nothing either.
    clickRow(2);
    EXPECT_EQ(details(), (Details{"Маме", true, true}));
    clickRow(1);
    expectDeleteQuestion(MessageAnswer::Yes);
    click(tasks().CheckBox1);
    EXPECT_FALSE(taskExists("task2"));
    EXPECT_EQ(stored<std::string>({}, l::tasksList), "Зарядка\r\nЗвонок\r\n");
    EXPECT_EQ(stored<std::string>({}, l::tskList), "task1\r\ntask3\r\n");
    EXPECT_EQ(tasks().ListBox2->itemIndex(), -1);
    EXPECT_EQ(details(), (Details{"", false, false}));
    EXPECT_EQ(dialogs.shown().size(), 2u);
}

// The editor is modeless: while it is open the user reads other tasks, or deletes one. The save
// goes into the task it was opened for, in that task's row; if that task is gone, nothing is
// written.
TEST_F(TaskList, TheEditorSavesIntoTheTaskItWasOpenedFor) {
    start({{.key = "task1", .name = "Один", .text = "Первое"},
           {.key = "task2", .name = "Альфа", .text = "А"},
           {.key = "task3", .name = "Бета", .text = "Б", .daily = true, .complete = true}},
          3);
    click(tasks().Button6);
    EXPECT_FALSE(editor().isVisible()) << "nothing selected, nothing to edit";
    clickRow(1);
    click(tasks().Button6);
    typeOver(editor().Edit1, QStringLiteral("Гамма"));
    clickRow(0);
    click(tasks().Button7); // the edited task moves up a row
    clickRow(1);
    ASSERT_EQ(details(), (Details{"Б", true, true}));
    click(editor().Button1);

    EXPECT_EQ(names(), (QStringList{"Гамма", "Бета"}));
    EXPECT_EQ(stored<std::string>({}, l::tasksList), "Гамма\r\nБета\r\n");
    EXPECT_EQ(stored<std::string>("task2", v::name), "Гамма");
    EXPECT_EQ(stored<std::string>("task2", v::text), "А");
    EXPECT_EQ(stored<std::string>("task3", v::name), "Бета");
    EXPECT_TRUE(stored<bool>("task3", v::daily));
    EXPECT_TRUE(stored<bool>("task3", v::complete));
    EXPECT_EQ(details(), (Details{"Б", true, true})) << "the selected task's details";

    // Opened for "Бета", which is deleted before the save.
    click(tasks().Button6);
    click(tasks().Button7);
    clickRow(0);
    const auto before = storeContents();
    dialogs.expectMessage({.text = QString::fromUtf8(texts::tasks::editedDeleted),
                           .caption = QString::fromUtf8(texts::errorCaption),
                           .icon = MessageIcon::Warning,
                           .owner = &editor()});
    click(editor().Button1);
    EXPECT_EQ(storeContents(), before);
    EXPECT_EQ(names(), QStringList{"Гамма"});
    EXPECT_TRUE(editor().isVisible());
}

// A screen reader reads the text under "Описание:" itself, with the caption as its label, as it
// reads a reminder's text on the Reminders tab.
TEST_F(TaskList, TheDescriptionIsReadWithItsCaptionAsItsLabel) {
    start({{.key = "task1", .name = "Почта", .text = "Ответить Анне"}}, 1, [](SettingsStore& s) {
        storeReminders(s, {{.key = "notice1", .name = "Обед", .text = "Суп"}}, 1);
    });
    clickRow(0);
    ListBox& reminderList = *reminders().ListBox1;
    QTest::mouseClick(reminderList.viewport(), Qt::LeftButton, {},
                      reminderList.visualItemRect(reminderList.item(0)).center());
    const struct {
        QLabel* text;
        QLabel* caption;
        const char* expected;
    } shown[] = {{tasks().Label12, tasks().Label11, "Ответить Анне"},
                 {reminders().Label6, reminders().Label5, "Суп"}};
    for (const auto& [text, caption, expected] : shown) {
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(text);
        EXPECT_EQ(reader->text(QAccessible::Name), QString::fromUtf8(expected));
        const auto labels = reader->relations(QAccessible::Label);
        ASSERT_EQ(labels.size(), 1) << expected;
        EXPECT_EQ(labels.front().first->object(), caption);
    }
}

// A task removed, or the key list changed, behind the program's back: the handler stops with an
// error naming the key, and nothing is read, written or deleted elsewhere instead.
TEST_F(TaskList, AMissingOrMisnamedSubkeyEndsTheHandlerWithAnError) {
    start({{.key = "task1", .name = "Один"}}, 1);
    clickRow(0);
    click(tasks().Button6);
    SettingsStore().deleteKey(std::string(layout::tasksKey) + "\\task1");
    const QString missing = QStringLiteral("Failed to open key '%1\\%2'")
                                .arg(QString::fromStdString(std::string(layout::tasksKey)));
    dialogs.expectError(missing.arg(QStringLiteral("task1")));
    click(editor().Button1);
    dialogs.expectError(missing.arg(QStringLiteral("task1")));
    click(tasks().CheckBox1);
    EXPECT_FALSE(tasks().CheckBox1->isChecked()) << "the box shows what the store holds";
    SettingsStore store;
    store.openKey(layout::tasksKey, false);
    EXPECT_FALSE(store.valueExists(v::complete));

    const std::string elsewhere(layout::notificationsKey);
    store.writeString(l::tskList, elsewhere + "\r\n");
    dialogs.expectError(missing.arg(QString::fromStdString(elsewhere)));
    click(tasks().Button7);
    EXPECT_TRUE(store.keyExists(elsewhere));
}

} // namespace
} // namespace tickwell::test
