// The task editor's window as a person meets it: where it opens and how far it shrinks, the
// confirm button kept centred, the length limits while typing, the fields filled only when the
// window opens, and the names a screen reader reads.

#include "TasksFixture.h"
#include "Typing.h"
#include "settings/Layout.h"
#include "widgets/AccessibleControls.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ListBox.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace tickwell::test {
namespace {

class TaskEditor : public TasksFixture {
protected:
    void SetUp() override {
        installAccessibleControls(); // as the program's main does
        screen.setDesktopArea(desktop);
        start({{.key = "task1", .name = "Почта", .text = "Ответить", .daily = true}}, 1);
        click(tasks().Button5);
    }

    const QRect desktop{100, 50, 1600, 900};
};

TEST_F(TaskEditor, OpensAtTheDesktopCentreKeepsItsButtonCentredAndItsLimits) {
    TAddTask& e = editor();
    EXPECT_EQ(e.windowModality(), Qt::NonModal);
    EXPECT_FALSE(e.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // The design's outer rectangle, title bar included, centred on the desktop.
    EXPECT_LE((QRect(e.pos(), QSize(291, 200)).center() - desktop.center()).manhattanLength(), 1);

    const QSize designed = e.size();
    const auto resize = [&e](int width, int height) {
        e.resize(width, height);
        deliverPostedEvents();
    };
    const QRect memo = e.Memo1->geometry();
    // Half the window less half the button, a half going to the even neighbour.
    for (const auto& [width, left] : {std::pair{292, 108}, {294, 110}, {301, 113}, {100, 88}}) {
        resize(width, designed.height() + 40);
        EXPECT_EQ(e.Button1->x(), left) << width;
    }
    EXPECT_EQ(e.size(), QSize(250, designed.height() + 40)) << "no narrower than 250";
    EXPECT_EQ(e.Memo1->size(), memo.size() + QSize(250 - 291, 40));
    resize(250, 10);
    EXPECT_EQ(e.height(), designed.height()) << "no lower than designed";
    for (QWidget* control : std::initializer_list<QWidget*>{e.Memo1, e.CheckBox1, e.Button1}) {
        EXPECT_TRUE(e.rect().contains(control->geometry())) << control->objectName().data();
    }

    typeInto(e.Edit1, QString(105, QChar(u'я')));
    EXPECT_EQ(e.Edit1->text().size(), 100);
    typeInto(e.Memo1, QString(168, QChar(u'ж')) + QStringLiteral("\nab")); // CR LF makes 170
    EXPECT_EQ(e.Memo1->toPlainText(), QString(168, QChar(u'ж')) + QStringLiteral("\n"));
}

// Opening it again while it is open keeps what was typed for the same task; a draft of a new
// task gives way to the task opened for editing.
TEST_F(TaskEditor, FieldsAreFilledWhenOpenedForATaskAndCarryTheirLabelsNames) {
    TAddTask& e = editor();
    typeInto(e.Edit1, QStringLiteral("Черновик"));
    clickRow(0);
    click(tasks().Button6);
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Изменить задачу"));
    EXPECT_EQ(e.Edit1->text(), QStringLiteral("Почта"));
    typeOver(e.Edit1, QStringLiteral("Письма"));
    click(tasks().Button6);
    EXPECT_EQ(e.Edit1->text(), QStringLiteral("Письма"));
    e.close();
    click(tasks().Button6);
    EXPECT_EQ(e.Edit1->text(), QStringLiteral("Почта"));
    e.close();
    click(tasks().Button5);
    EXPECT_EQ(e.windowTitle(), QStringLiteral("Создать задачу"));
    EXPECT_EQ(e.Edit1->text() + e.Memo1->toPlainText(), QString());
    EXPECT_FALSE(e.CheckBox1->isChecked());

    EXPECT_EQ(QAccessible::queryAccessibleInterface(&e)->role(), QAccessible::Dialog);
    EXPECT_EQ(e.Label1->buddy(), e.Edit1);
    EXPECT_EQ(e.Label2->buddy(), e.Memo1);
    const std::pair<QWidget*, const char*> named[] = {{e.Edit1, "Задача"},
                                                      {e.Memo1, "Описание"},
                                                      {e.CheckBox1, "Ежедневная задача"},
                                                      {tasks().ListBox2, "Задачи"},
                                                      {tasks().CheckBox1, "Выполнено"}};
    for (const auto& [field, name] : named) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name),
                  QString::fromUtf8(name));
    }
}

// Enter on a row opens it as a double click does; in the editor Escape closes without saving,
// Enter saves from the name field and the confirm button but breaks the line in the description.
TEST_F(TaskEditor, TheKeyboardOpensSavesAndCancels) {
    TAddTask& e = editor();
    QTest::keyClick(e.Edit1, Qt::Key_Escape);
    EXPECT_FALSE(e.isVisible());
    ListBox& list = *tasks().ListBox2;
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_FALSE(e.isVisible()) << "no row selected";
    clickRow(0);
    QTest::keyClick(&list, Qt::Key_Enter);
    ASSERT_TRUE(e.isVisible());
    EXPECT_EQ(e.Edit1->text(), QStringLiteral("Почта"));
    e.Memo1->setFocus();
    QTest::keyClick(e.Memo1, Qt::Key_Return);
    EXPECT_TRUE(e.isVisible());
    e.Edit1->setFocus();
    QTest::keyClick(e.Edit1, Qt::Key_Return);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(stored<std::string>("task1", layout::task::text), "\r\nОтветить");

    click(tasks().Button5);
    typeInto(e.Edit1, QStringLiteral("Хлеб"));
    e.Button1->setFocus();
    QTest::keyClick(e.Button1, Qt::Key_Enter);
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(tasks().ListBox2->items(), (QStringList{"Почта", "Хлеб"}));
}

} // namespace
} // namespace tickwell::test
