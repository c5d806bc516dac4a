// The small controls the main window is made of: numeric fields with spin buttons, lists that
// report the user's clicks, labels that fit their text, and the file-name part of an image path.

#include "TestTimeline.h"
#include "widgets/AutoSizeLabel.h"
#include "widgets/ListBox.h"
#include "widgets/PeriodFields.h"
#include "widgets/UpDown.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace tickwell::test {
namespace {

class NumberField : public ::testing::Test {
protected:
    NumberField() {
        window.resize(200, 60);
        edit = new QLineEdit(&window);
        edit->setGeometry(8, 8, 33, 21);
        other = new QLineEdit(&window);
        other->setGeometry(100, 8, 33, 21);
        upDown = new UpDown(&window);
        upDown->setGeometry(41, 8, 16, 21);
        upDown->setRange(0, 60);
        upDown->setAssociate(edit);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QToolButton* arrow(Qt::ArrowType type) {
        for (auto* button : upDown->findChildren<QToolButton*>()) {
            if (button->arrowType() == type) {
                return button;
            }
        }
        return nullptr;
    }

    void type(const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    QWidget window;
    QLineEdit* edit;
    QLineEdit* other;
    UpDown* upDown;
};

TEST_F(NumberField, ShowsItsPositionAndKeepsItInRange) {
    EXPECT_EQ(edit->text(), QStringLiteral("0"));
    upDown->setPosition(75);
    EXPECT_EQ(upDown->position(), 60);
    EXPECT_EQ(edit->text(), QStringLiteral("60"));
    upDown->setPosition(-3);
    EXPECT_EQ(upDown->position(), 0);
    upDown->setRange(5, 10);
    EXPECT_EQ(upDown->position(), 5);
    EXPECT_EQ(edit->text(), QStringLiteral("5"));
}

TEST_F(NumberField, ArrowButtonsAndKeysStepWithinTheRange) {
    upDown->setPosition(59);
    QTest::mouseClick(arrow(Qt::UpArrow), Qt::LeftButton);
    EXPECT_EQ(upDown->position(), 60);
    QTest::mouseClick(arrow(Qt::UpArrow), Qt::LeftButton);
    EXPECT_EQ(upDown->position(), 60);
    QTest::mouseClick(arrow(Qt::DownArrow), Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("59"));

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(upDown->position(), 57);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("58"));
}

TEST_F(NumberField, TypedNumberInRangeBecomesThePosition) {
    QSignalSpy changes(upDown, &UpDown::positionChanged);
    type(QStringLiteral("42"));
    EXPECT_EQ(upDown->position(), 42);
    EXPECT_EQ(changes.count(), 2); // "4", then "42"
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("43"));
}

// A screen reader sets the field's whole text at once, without keystrokes.
TEST_F(NumberField, ANumberPutIntoTheFieldAtOnceBecomesThePosition) {
    edit->setText(QStringLiteral("17"));
    EXPECT_EQ(upDown->position(), 17);
    edit->setText(QStringLiteral("90"));
    EXPECT_EQ(upDown->position(), 60);
}

TEST_F(NumberField, NumbersBeyondTheRangeStopAtItsEnd) {
    type(QStringLiteral("99"));
    EXPECT_EQ(upDown->position(), 60);
    EXPECT_EQ(edit->text(), QStringLiteral("99"));
    other->setFocus();
    EXPECT_EQ(edit->text(), QStringLiteral("60"));
    type(QStringLiteral("-7"));
    EXPECT_EQ(upDown->position(), 0);
}

TEST_F(NumberField, TextThatIsNoNumberGivesWayWhenTypingEnds) {
    upDown->setPosition(12);
    type(QStringLiteral("abc"));
    EXPECT_EQ(upDown->position(), 12);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), QStringLiteral("12"));

    type(QString());
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QString());
    other->setFocus();
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    EXPECT_EQ(upDown->position(), 12);
}

TEST(PeriodFields, EachFieldTakesWhatTheOneBeforeLeftOver) {
    UpDown hours, minutes, seconds;
    hours.setRange(0, 24);
    minutes.setRange(0, 60);
    seconds.setRange(0, 60);
    const auto shown = [&](int value) {
        showPeriod(value, hours, minutes, seconds);
        return std::array<int, 3>{hours.position(), minutes.position(), seconds.position()};
    };
    EXPECT_EQ(shown(3725), (std::array<int, 3>{1, 2, 5}));
    EXPECT_EQ(shown(86400), (std::array<int, 3>{24, 0, 0}));
    EXPECT_EQ(shown(0), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(shown(59), (std::array<int, 3>{0, 0, 59}));
    EXPECT_EQ(shown(3600 * 24 + 3599), (std::array<int, 3>{24, 59, 59}));
    EXPECT_EQ(shown(INT32_MAX), (std::array<int, 3>{24, 60, 60}));
    EXPECT_EQ(shown(INT32_MIN), (std::array<int, 3>{0, 0, 0}));
}

class ListBoxClicks : public ::testing::Test {
protected:
    ListBoxClicks() {
        list.addItems({QStringLiteral("один"), QStringLiteral("два"), QStringLiteral("три")});
        list.resize(200, 120);
        list.show();
        deliverPostedEvents();
    }

    QPoint centreOf(int row) { return list.visualItemRect(list.item(row)).center(); }

    ListBox list;
    QSignalSpy clicks{&list, &ListBox::click};
    QSignalSpy doubleClicks{&list, &ListBox::doubleClick};
};

TEST_F(ListBoxClicks, EachClickOnAnItemCountsAlsoOnTheSelectedOne) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centreOf(1));
    EXPECT_EQ(list.currentRow(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centreOf(1));
    EXPECT_EQ(clicks.count(), 2);
    // Below the last item there is nothing to click.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, 115));
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ListBoxClicks, KeyboardMovesCountButSelectionsByTheProgramDoNot) {
    list.setCurrentRow(0);
    EXPECT_EQ(clicks.count(), 0);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyClick(&list, Qt::Key_End);
    QTest::keyClick(&list, Qt::Key_Down); // already at the end
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ListBoxClicks, DoubleClickOnAnItemIsReported) {
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centreOf(2));
    EXPECT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(list.currentRow(), 2);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, 115));
    EXPECT_EQ(doubleClicks.count(), 1);
}

TEST(AutoSizeLabel, TakesTheSizeOfEachNewText) {
    AutoSizeLabel label(QStringLiteral("1 ч."));
    const int shortWidth = label.width();
    label.setText(QStringLiteral("23 ч. 59 мин. 59 сек."));
    EXPECT_GT(label.width(), shortWidth);
    EXPECT_GE(label.width(), label.fontMetrics().horizontalAdvance(label.text()));
    QFont bigger = label.font();
    bigger.setPixelSize(30);
    label.setFont(bigger);
    EXPECT_EQ(label.height(), label.sizeHint().height());
}

} // namespace
} // namespace tickwell::test
