// What the editor accepts: the refusals before anything is written, the period's limits, the
// spin buttons, and the length limits of the name and the text while typing and pasting.

#include "EditorFixture.h"
#include "reminders/ReminderRecord.h"
#include "reminders/ReminderTexts.h"
#include "settings/Layout.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ListBox.h"
#include "widgets/UpDown.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace tickwell::test {
namespace {

namespace t = texts::reminders;

class EditorInputChecks : public EditorFixture {
protected:
    void SetUp() override {
        start({{.key = "notice1", .name = "Обед"}}, 1);
        openToCreate();
    }

    // The text as the store would keep it, in characters.
    int storedLength() const {
        return static_cast<int>(
            QString::fromStdString(reminders::storedText(editor().Memo1->toPlainText())).size());
    }
};

TEST_F(EditorInputChecks, IncompleteOrTooLongInputIsRefusedAndNothingWritten) {
    struct Case {
        const char* what;
        EditorInput input;
        const char* message;
    };
    const Case cases[] = {
        {"no name", {.name = "", .text = "Текст", .minutes = 5}, t::incomplete},
        {"no text", {.name = "Имя", .text = "", .minutes = 5}, t::incomplete},
        {"no period",
         {.name = "Имя", .text = "Текст", .hours = 0, .minutes = 0, .seconds = 0},
         t::incomplete},
        // The first check that fails speaks, also when a later one would fail too.
        {"no name, too long", {.name = "", .hours = 24, .minutes = 60}, t::incomplete},
        {"23:60:60", {.name = "Имя", .hours = 23, .minutes = 60, .seconds = 60}, t::tooLong},
        {"24:00:01", {.hours = 24, .minutes = 0, .seconds = 1}, t::tooLong},
    };
    const auto before = storeContents();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fill(c.input);
        expectRefusal(c.message);
        confirm();
        dialogs.verifyAllUsed();
        EXPECT_TRUE(editor().isVisible());
    }
    EXPECT_EQ(storeContents(), before);
    EXPECT_EQ(reminders().ListBox1->count(), 1);
    EXPECT_EQ(reminders().findReminderTimer("notice2"), nullptr);
}

TEST_F(EditorInputChecks, PeriodsUpToADayAreAcceptedAndShownAgainInWholeUnits) {
    fill({.name = "Сутки", .text = "Раз в день", .hours = 24, .minutes = 0, .seconds = 0});
    expectStartQuestion(MessageAnswer::No);
    confirm();
    EXPECT_EQ(storedInteger("notice2", layout::notice::interval), 86400);

    // Sixty minutes are an hour.
    openToCreate();
    fill({.name = "Час", .text = "Раз в час", .minutes = 60});
    expectStartQuestion(MessageAnswer::No);
    confirm();
    EXPECT_EQ(storedInteger("notice3", layout::notice::interval), 3600);
    EXPECT_EQ(reminders().Label2->text(), QStringLiteral("1 ч.  0 мин.  0 сек."));
    QTest::mouseClick(reminders().Button2, Qt::LeftButton);
    EXPECT_EQ((QStringList{editor().Edit1->text(), editor().Edit3->text(), editor().Edit4->text()}),
              (QStringList{"1", "0", "0"}));
}

TEST_F(EditorInputChecks, SpinButtonsStepWithinTheirRanges) {
    TAddNotice& e = editor();
    const auto clickArrow = [](UpDown* upDown, int arrow, int times) {
        const auto buttons = upDown->findChildren<QToolButton*>();
        ASSERT_EQ(buttons.size(), 2);
        for (int i = 0; i < times; ++i) {
            QTest::mouseClick(buttons[arrow], Qt::LeftButton);
        }
    };
    clickArrow(e.UpDown1, 0, 30);
    clickArrow(e.UpDown2, 0, 70);
    clickArrow(e.UpDown3, 0, 3);
    clickArrow(e.UpDown3, 1, 5);
    EXPECT_EQ((QStringList{e.Edit1->text(), e.Edit3->text(), e.Edit4->text()}),
              (QStringList{"24", "60", "0"}));
    // Typed numbers beyond the range count as its end.
    typeOver(e.Edit4, QStringLiteral("75"));
    EXPECT_EQ(e.UpDown3->position(), 60);

    fill({.name = "Имя", .text = "Текст"});
    expectRefusal(t::tooLong);
    confirm();
    clickArrow(e.UpDown2, 1, 60);
    clickArrow(e.UpDown3, 1, 60);
    expectStartQuestion(MessageAnswer::No);
    confirm();
    EXPECT_EQ(storedInteger("notice2", layout::notice::interval), 86400);
}

TEST_F(EditorInputChecks, TheNameTakesAtMostOneHundredCharacters) {
    typeInto(editor().Edit2, QString(105, QChar(u'я')));
    EXPECT_EQ(editor().Edit2->text(), QString(100, QChar(u'я')));
}

// At most 170 characters as stored, a line break counting as the two it is stored as.
TEST_F(EditorInputChecks, TheTextTakesAtMost170StoredCharacters) {
    QPlainTextEdit* memo = editor().Memo1;
    typeInto(memo, QString(169, QChar(u'ж')));
    typeInto(memo, QStringLiteral("\n")); // would make 171
    EXPECT_EQ(memo->toPlainText(), QString(169, QChar(u'ж')));
    typeInto(memo, QStringLiteral("ab"));
    EXPECT_EQ(storedLength(), 170);
    EXPECT_TRUE(memo->toPlainText().endsWith(QStringLiteral("жa")));

    // Deleting makes room again; a break fits into two characters of room.
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Backspace);
    typeInto(memo, QStringLiteral("\n"));
    EXPECT_EQ(storedLength(), 170);
    EXPECT_EQ(memo->toPlainText(), QString(168, QChar(u'ж')) + QLatin1Char('\n'));

    // Typing over a selection counts only what stays.
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    typeInto(memo, QStringLiteral("Коротко\nи ясно"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Коротко\nи ясно"));
    // The break already there counts twice as well: 15 stored, 155 more fit.
    typeInto(memo, QString(200, QChar(u'ы')));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Коротко\nи ясно") + QString(155, QChar(u'ы')));
}

TEST_F(EditorInputChecks, PastingTakesOnlyWhatFits) {
    QPlainTextEdit* memo = editor().Memo1;
    typeInto(memo, QString(160, QChar(u'ж')));
    QApplication::clipboard()->setText(QStringLiteral("абвгд\r\nежзийклмн"));
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), QString(160, QChar(u'ж')) + QStringLiteral("абвгд\nежз"));
    EXPECT_EQ(storedLength(), 170);

    // Nothing more fits, not even a break.
    QApplication::clipboard()->setText(QStringLiteral("\n"));
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(storedLength(), 170);

    fill({.name = "Длинный", .seconds = 30});
    expectStartQuestion(MessageAnswer::No);
    confirm();
    const std::string stored = storedString("notice2", layout::notice::text);
    EXPECT_EQ(QString::fromStdString(stored).size(), 170);
    EXPECT_TRUE(stored.ends_with("абвгд\r\nежз"));
}

} // namespace
} // namespace tickwell::test
