#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "TestSeams.h"
#include "platform/FileFilter.h"
#include "platform/QtDialogs.h"
#include "widgets/AppTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <optional>

using namespace tickwell;
using tickwell::test::DialogKind;
using tickwell::test::ScriptedDialogs;
using tickwell::test::TestSeams;

namespace {

TEST(ScriptedDialogs, AnswersFromTheScriptInOrderAndRecordsWhatWasAsked) {
    QWidget owner;
    TestSeams seams;
    ScriptedDialogs& script = seams.dialogs;
    script.answerNextQuestion(MessageAnswer::Yes)
        .answerNextQuestion(MessageAnswer::No)
        .expectColorDialog(QColor(Qt::red), QColor(Qt::cyan))
        .expectFileDialog({"/pictures/a.jpg", "/pictures/b.jpg"}, "JPEG Images (*.jpg)|*.jpg");

    EXPECT_TRUE(dialogs().ask(&owner, "Удалить?", "Вопрос", MessageIcon::Question));
    EXPECT_FALSE(dialogs().ask(&owner, "Удалить?", "Вопрос", MessageIcon::Question));
    EXPECT_EQ(dialogs().chooseColor(&owner, QColor(Qt::cyan)), QColor(Qt::red));
    EXPECT_EQ(dialogs().openFiles(&owner, "JPEG Images (*.jpg)|*.jpg"),
              (QStringList{"/pictures/a.jpg", "/pictures/b.jpg"}));

    ASSERT_EQ(script.shown().size(), 4u);
    EXPECT_EQ(script.shown()[0].text, "Удалить?");
    EXPECT_EQ(script.shown()[0].caption, "Вопрос");
    EXPECT_EQ(script.shown()[0].icon, MessageIcon::Question);
    EXPECT_EQ(script.shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(script.shown()[0].owner, &owner);
    EXPECT_EQ(script.shown()[2].kind, DialogKind::Color);
    EXPECT_EQ(script.shown()[3].filter, "JPEG Images (*.jpg)|*.jpg");
    EXPECT_EQ(script.pending(), 0u);
}

TEST(ScriptedDialogs, CancelledColourAndFileDialogsAnswerNothing) {
    TestSeams seams;
    ScriptedDialogs& script = seams.dialogs;
    script.expectColorDialog(std::nullopt).expectFileDialog({});

    EXPECT_FALSE(dialogs().chooseColor(nullptr, QColor(Qt::black)).has_value());
    EXPECT_TRUE(dialogs().openFiles(nullptr, "JPEG Images (*.jpg)|*.jpg").isEmpty());
}

TEST(ScriptedDialogs, FailsOnADialogNobodyExpected) {
    EXPECT_NONFATAL_FAILURE(
        {
            const TestSeams seams;
            dialogs().inform(nullptr, "Готово", "Tickwell", MessageIcon::Information);
        },
        "Unexpected message box \"Готово\"");
}

TEST(ScriptedDialogs, FailsOnAnUnexpectedQuestionAndAnswersItNo) {
    std::optional<bool> answer;
    EXPECT_NONFATAL_FAILURE(
        {
            const TestSeams seams;
            answer = dialogs().ask(nullptr, "Удалить?", "Вопрос", MessageIcon::Question);
        },
        "Unexpected message box");
    EXPECT_EQ(answer, false);
}

TEST(ScriptedDialogs, FailsOnScriptEntriesLeftUnused) {
    EXPECT_NONFATAL_FAILURE(
        {
            TestSeams seams;
            ScriptedDialogs& script = seams.dialogs;
            script.expectMessage({.text = "Приложение уже запущено!"});
        },
        "never shown");
}

TEST(ScriptedDialogs, FailsOnADialogOfAnotherKindThanExpected) {
    EXPECT_NONFATAL_FAILURE(
        {
            TestSeams seams;
            ScriptedDialogs& script = seams.dialogs;
            script.expectColorDialog(QColor(Qt::red));
            dialogs().inform(nullptr, "Текст", "Ошибка", MessageIcon::Warning);
            script.verifyAllUsed();
        },
        "expected a colour dialog but the program showed a message box");
}

TEST(ScriptedDialogs, FailsWhenTheMessageDiffersFromTheScript) {
    EXPECT_NONFATAL_FAILURE(
        {
            TestSeams seams;
            ScriptedDialogs& script = seams.dialogs;
            script.expectMessage({.text = "Введите название!", .caption = "Ошибка"});
            dialogs().inform(nullptr, "Введите название!", "Ошибки", MessageIcon::Warning);
        },
        "caption of the message box");
    EXPECT_NONFATAL_FAILURE(
        {
            TestSeams seams;
            ScriptedDialogs& script = seams.dialogs;
            script.expectMessage({.icon = MessageIcon::Warning});
            dialogs().inform(nullptr, "Текст", "Ошибка", MessageIcon::Error);
        },
        "icon of the message box");
    EXPECT_NONFATAL_FAILURE(
        {
            QWidget owner;
            QWidget other;
            TestSeams seams;
            ScriptedDialogs& script = seams.dialogs;
            script.expectMessage({.owner = &owner});
            dialogs().inform(&other, "Текст", "Ошибка", MessageIcon::Error);
        },
        "owner of the message box");
}

TEST(ScriptedDialogs, FailsOnAQuestionTheScriptGivesNoAnswerFor) {
    std::optional<bool> answer;
    EXPECT_NONFATAL_FAILURE(
        {
            TestSeams seams;
            ScriptedDialogs& script = seams.dialogs;
            script.expectMessage({.text = "Удалить?"});
            answer = dialogs().ask(nullptr, "Удалить?", "Вопрос", MessageIcon::Question);
        },
        "no Yes or No");
    EXPECT_EQ(answer, false);
}

TEST(ScriptedDialogs, ExpectErrorMeansTheApplicationTitleTheErrorIconAndOk) {
    EXPECT_NONFATAL_FAILURE(
        {
            TestSeams seams;
            ScriptedDialogs& script = seams.dialogs;
            script.expectError("Failed to get data for 'interval'");
            dialogs().inform(nullptr, "Failed to get data for 'interval'", "Ошибка",
                             MessageIcon::Error);
        },
        "caption of the message box");
}

TEST(FileFilter, ProgramFormBecomesQtForm) {
    EXPECT_EQ(qtFileFilter("JPEG Images (*.jpg)|*.jpg"), "JPEG Images (*.jpg)");
    EXPECT_EQ(qtFileFilter("Pictures|*.jpg;*.jpeg|All files|*.*"),
              "Pictures (*.jpg *.jpeg);;All files (*.*)");
    // Patterns shown in the description that differ from the real ones give way to them.
    EXPECT_EQ(qtFileFilter("JPEG (*.jpeg)|*.jpg"), "JPEG (*.jpg)");
    EXPECT_EQ(qtFileFilter("|*.jpg"), "*.jpg");
    EXPECT_EQ(qtFileFilter(""), "");
}

// The real message box, answered by pressing its button the way a person would.
class RealMessageBox : public ::testing::Test {
protected:
    // Presses the button whose text is `buttonText` in the next modal box, remembering the box.
    void pressWhenShown(const QString& buttonText) {
        QTimer::singleShot(0, [this, buttonText] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            for (QAbstractButton* button : box->buttons()) {
                buttonTexts << button->text().remove('&');
            }
            for (QAbstractButton* button : box->buttons()) {
                if (button->text().remove('&') == buttonText) {
                    button->click();
                    return;
                }
            }
            box->reject();
            ADD_FAILURE() << "no button " << buttonText.toStdString();
        });
    }

    QtDialogs real;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttonTexts;
};

TEST_F(RealMessageBox, QuestionShowsRussianYesNoAndReturnsTheButtonPressed) {
    QWidget owner;
    pressWhenShown("Нет");
    EXPECT_EQ(real.message(&owner, "Удалить напоминание?", "Подтверждение", MessageIcon::Question,
                           MessageButtons::YesNo),
              MessageAnswer::No);
    EXPECT_EQ(title, "Подтверждение");
    EXPECT_EQ(text, "Удалить напоминание?");
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_TRUE(buttonTexts.contains("Да")) << buttonTexts.join(',').toStdString();

    buttonTexts.clear();
    pressWhenShown("Да");
    EXPECT_EQ(real.message(&owner, "Удалить напоминание?", "Подтверждение", MessageIcon::Question,
                           MessageButtons::YesNo),
              MessageAnswer::Yes);
}

TEST_F(RealMessageBox, ErrorIconIsTheCriticalIconWithOneOkButton) {
    pressWhenShown("OK");
    EXPECT_EQ(real.message(nullptr, "Сбой", texts::applicationTitle, MessageIcon::Error,
                           MessageButtons::Ok),
              MessageAnswer::Ok);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(title, texts::applicationTitle);
    EXPECT_EQ(buttonTexts, QStringList{"OK"});
}

} // namespace
