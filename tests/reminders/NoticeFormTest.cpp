// The notice window as the program shows it: made the way a reminder's timer makes it, on a main
// window started on a store of the test's own. Its caption, frame, geometry, message and colours;
// where it appears; the fade-in, drawn by the window system or painted; how it closes; the colour
// choice of its context menu, stored and used by the next notice.

#include "reminders/NoticeForm.h"

#include "CountingSound.h"
#include "MainFormFixture.h"
#include "QtWarnings.h"
#include "platform/IntervalTimer.h"
#include "reminders/ColorValue.h"
#include "reminders/FadeMethod.h"
#include "reminders/NoticeLabel.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "widgets/FormDesign.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <algorithm>

namespace tickwell::test {
namespace {

const QColor aqua = colorFromValue(0xFFFF00);
const QColor black = colorFromValue(0x000000);

class NoticeForm : public MainFormFixture {
protected:
    ~NoticeForm() override {
        // Notices belong to no window: whatever a test left open goes here.
        // (Their menus are windows too, and go with them.)
        std::vector<QPointer<TNoticeForm>> open;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* notice = qobject_cast<TNoticeForm*>(widget)) {
                open.emplace_back(notice);
            }
        }
        for (const QPointer<TNoticeForm>& notice : open) {
            delete notice.data();
        }
    }

    // A notice as a reminder's timer shows it: message, auto-close delay, shown.
    TNoticeForm* showNotice(const QString& message = QStringLiteral("Пора обедать"),
                            int closeDelayMs = 30000) {
        auto* notice = new TNoticeForm(&reminders().noticeColors);
        notice->Label1->setText(message);
        notice->Timer2->setInterval(closeDelayMs);
        notice->show();
        return notice;
    }

    std::int32_t storedInteger(std::string_view name) {
        SettingsStore store;
        store.setRoot(SettingsStore::Root::LocalMachine);
        store.openExistingKey(layout::productKey);
        return store.readInteger(name);
    }

    static QColor background(const TNoticeForm& notice) {
        return notice.palette().color(QPalette::Window);
    }
    static QColor textColor(const TNoticeForm& notice) {
        return notice.Label1->palette().color(QPalette::WindowText);
    }
};

// --- The window -------------------------------------------------------------------------------

TEST_F(NoticeForm, IsASmallTopMostToolWindowWithTheMessageInTheMiddle) {
    prepareStore();
    startForm();
    TNoticeForm* notice = showNotice();

    EXPECT_EQ(notice->windowTitle(), QStringLiteral("Напоминание"));
    EXPECT_EQ(notice->parentWidget(), nullptr);
    EXPECT_TRUE(notice->isWindow());
    const Qt::WindowFlags flags = notice->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(notice->size(), QSize(185, 97));
    EXPECT_EQ(notice->minimumSize(), QSize(185, 97));
    EXPECT_EQ(notice->maximumSize(), QSize(185, 97));

    auto* label = notice->Label1;
    EXPECT_EQ(label->geometry(), QRect(16, 0, 153, 97));
    EXPECT_EQ(label->minimumSize(), label->maximumSize());
    EXPECT_EQ(label->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->font(), design::formFont());
    EXPECT_EQ(label->text(), QStringLiteral("Пора обедать"));

    // A screen reader reads the message and names the window by its caption.
    QAccessibleInterface* readLabel = QAccessible::queryAccessibleInterface(label);
    ASSERT_NE(readLabel, nullptr);
    EXPECT_EQ(readLabel->text(QAccessible::Name), QStringLiteral("Пора обедать"));
    label->setText(QStringLiteral("Позвонить маме"));
    EXPECT_EQ(readLabel->text(QAccessible::Name), QStringLiteral("Позвонить маме"));
    QAccessibleInterface* readWindow = QAccessible::queryAccessibleInterface(notice);
    ASSERT_NE(readWindow, nullptr);
    EXPECT_EQ(readWindow->text(QAccessible::Name), QStringLiteral("Напоминание"));
}

TEST_F(NoticeForm, ShowsTheColoursOfTheMainWindowAqua_And_BlackAtFirst) {
    prepareStore();
    startForm();
    TNoticeForm* first = showNotice();
    EXPECT_EQ(background(*first), aqua);
    EXPECT_TRUE(first->autoFillBackground());
    EXPECT_EQ(textColor(*first), black);

    reminders().noticeColors.NoticeBackgroundColor = 0x00FF00; // green
    reminders().noticeColors.NoticeTextColor = 0x0000FF;       // red
    TNoticeForm* second = showNotice();
    EXPECT_EQ(background(*second), QColor(0, 255, 0));
    EXPECT_EQ(textColor(*second), QColor(255, 0, 0));
    EXPECT_EQ(background(*first), aqua); // an open notice keeps its colours
}

TEST_F(NoticeForm, SitsInTheBottomRightCornerReckonedFromTheWorkAreasSize) {
    prepareStore();
    startForm();
    struct Case {
        const char* panel;
        QRect workArea;
        QPoint outerBottomRight;
    };
    const Case cases[] = {
        {"at the bottom", QRect(0, 0, 1280, 770), QPoint(1279, 769)},
        {"at the right", QRect(0, 0, 1230, 800), QPoint(1229, 799)},
        // The work area's own corner is not added: a panel at the top or at the left moves the
        // window up or to the left by the panel's size.
        {"at the top", QRect(0, 30, 1280, 770), QPoint(1279, 769)},
        {"at the left", QRect(40, 0, 1240, 800), QPoint(1239, 799)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.panel);
        screen.setWorkArea(c.workArea);
        TNoticeForm* notice = showNotice();
        // The outer rectangle: the offscreen platform draws a frame of its own around it.
        EXPECT_EQ(notice->frameGeometry().bottomRight(), c.outerBottomRight);
        EXPECT_GT(notice->frameGeometry().width(), 185);
        EXPECT_EQ(notice->size(), QSize(185, 97));
        delete notice;
    }
}

// Notices on the screen at once lie one above the other, each with its sound; one that closes
// leaves its place to the next, and a full column goes on at the left.
TEST_F(NoticeForm, SeveralNoticesStackUpwardsAndAClosedOneLeavesItsPlace) {
    prepareStore();
    startForm();
    std::vector<QPointer<TNoticeForm>> shown;
    for (int i = 0; i < 3; ++i) {
        shown.emplace_back(showNotice(QString::number(i)));
    }
    EXPECT_EQ(sound.plays(), 3);
    const QRect corner = shown[0]->frameGeometry();
    for (int i = 1; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(shown[i]->isVisible());
        EXPECT_EQ(shown[i]->frameGeometry(), corner.translated(0, -i * corner.height()));
    }

    const QRect middle = shown[1]->frameGeometry();
    QTest::mouseClick(shown[1]->Label1, Qt::LeftButton);
    deliverPostedEvents();
    ASSERT_TRUE(shown[1].isNull());
    EXPECT_EQ(showNotice()->frameGeometry(), middle);
    EXPECT_TRUE(shown[2]->close());
    EXPECT_EQ(showNotice()->frameGeometry(), shown[2]->frameGeometry()) << "closed by its box";

    // A work area three notices high.
    screen.setWorkArea(QRect(QPoint(0, 0), QSize(1280, 3 * corner.height())));
    const QRect fourth = showNotice()->frameGeometry();
    EXPECT_EQ(fourth.right(), 1279 - corner.width());
    EXPECT_EQ(fourth.bottom(), 3 * corner.height() - 1);
}

// --- Fading in --------------------------------------------------------------------------------

TEST_F(NoticeForm, FadesInFromTenTo230InStepsOfTenEvery10Ms) {
    prepareStore();
    startForm();
    TNoticeForm* notice = showNotice();
    ASSERT_EQ(notice->fadeMethod(), FadeMethod::WindowOpacity); // offscreen shows opacity
    EXPECT_EQ(notice->opacity(), 10);
    EXPECT_DOUBLE_EQ(notice->windowOpacity(), 10 / 255.0);
    EXPECT_TRUE(notice->Timer1->enabled());
    EXPECT_EQ(notice->Timer1->interval(), 10);

    std::vector<int> steps;
    while (notice->Timer1->isRunning() && steps.size() < 100) {
        timeline.advance(10);
        steps.push_back(notice->opacity());
    }
    std::vector<int> expected;
    for (int opacity = 20; opacity <= 230; opacity += 10) {
        expected.push_back(opacity);
    }
    EXPECT_EQ(steps, expected); // 21 steps
    EXPECT_NEAR(notice->windowOpacity(), 230 / 255.0, 0.005);
    timeline.advance(1000);
    EXPECT_EQ(notice->opacity(), 230);
}

TEST(NoticeFadeMethod, IsPaintedOnlyWhereTheWindowSystemSurelyShowsNoOpacity) {
    EXPECT_EQ(fadeMethodFor(false), FadeMethod::Painted);
    EXPECT_EQ(fadeMethodFor(true), FadeMethod::WindowOpacity);
    EXPECT_EQ(fadeMethodFor(std::nullopt), FadeMethod::WindowOpacity);
}

TEST_F(NoticeForm, PaintsTheFadeOverWhatLayUnderItWhereOpacityIsNotShown) {
    prepareStore();
    startForm();
    // A red desktop on a window system without a compositing manager.
    windowSystem.setShowsWindowOpacity(false);
    windowSystem.setScreenColor(Qt::red);

    TNoticeForm* notice = showNotice();
    ASSERT_EQ(windowSystem.grabbedAreas().size(), 1u);
    EXPECT_TRUE(windowSystem.grabbedAreas()[0].contains(notice->geometry()));
    EXPECT_EQ(notice->fadeMethod(), FadeMethod::Painted);
    EXPECT_DOUBLE_EQ(notice->windowOpacity(), 1.0); // the window itself stays opaque

    // In the strip left of the message: red over aqua, as strongly as the opacity leaves.
    const auto strip = [notice] { return notice->grab().toImage().pixelColor(5, 50); };
    const auto near = [](const QColor& seen, int r, int g, int b) {
        return std::abs(seen.red() - r) <= 3 && std::abs(seen.green() - g) <= 3 &&
               std::abs(seen.blue() - b) <= 3;
    };
    QColor seen = strip();
    EXPECT_TRUE(near(seen, 245, 10, 10)) << seen.name().toStdString();
    timeline.advance(100);
    seen = strip();
    EXPECT_TRUE(near(seen, 145, 110, 110)) << seen.name().toStdString();
    timeline.advance(200);
    EXPECT_EQ(notice->opacity(), 230);
    seen = strip();
    EXPECT_TRUE(near(seen, 25, 230, 230)) << seen.name().toStdString();

    // Clicks still reach the message through the painted cover.
    QPointer<TNoticeForm> alive(notice);
    QTest::mouseClick(notice->Label1, Qt::LeftButton, {}, QPoint(76, 48));
    deliverPostedEvents();
    EXPECT_TRUE(alive.isNull());
}

// --- Closing ----------------------------------------------------------------------------------

TEST_F(NoticeForm, ClosesWhenItsDelayHasPassedOrTheMessageIsClicked) {
    prepareStore();
    startForm();
    QPointer<TNoticeForm> byDelay(showNotice(QStringLiteral("Первое"), 5000));
    EXPECT_TRUE(byDelay->Timer2->enabled());
    timeline.advance(4999);
    ASSERT_FALSE(byDelay.isNull());
    timeline.advance(1);
    EXPECT_TRUE(byDelay.isNull());

    QPointer<TNoticeForm> byClick(showNotice());
    QTest::mouseClick(byClick->Label1, Qt::RightButton);
    deliverPostedEvents();
    ASSERT_FALSE(byClick.isNull()); // the right button opens the menu, it does not close
    QTest::mouseClick(byClick.data(), Qt::LeftButton, {}, QPoint(5, 50));
    deliverPostedEvents();
    ASSERT_FALSE(byClick.isNull()); // beside the message
    QTest::mouseClick(byClick->Label1, Qt::LeftButton);
    deliverPostedEvents();
    EXPECT_TRUE(byClick.isNull());
}

// A delay of 0 would never end; such a notice closes after a second.
TEST_F(NoticeForm, ADelayOfZeroClosesItAfterASecond) {
    prepareStore();
    startForm();
    QPointer<TNoticeForm> notice(showNotice(QStringLiteral("Секунда"), 0));
    timeline.advance(999);
    ASSERT_FALSE(notice.isNull());
    timeline.advance(1);
    EXPECT_TRUE(notice.isNull());
}

TEST_F(NoticeForm, TheCloseButtonOnlyHidesItAndNeverEndsTheProgram) {
    prepareStore();
    startForm(); // the main window stays hidden, as in the tray
    QPointer<TNoticeForm> notice(showNotice(QStringLiteral("Пора"), 3000));
    // Closing the only visible window would end the event loop, had the window a say in it.
    EXPECT_FALSE(notice->testAttribute(Qt::WA_QuitOnClose));

    EXPECT_TRUE(notice->close());
    deliverPostedEvents();
    ASSERT_FALSE(notice.isNull());
    EXPECT_FALSE(notice->isVisible());
    timeline.advance(3000);
    EXPECT_TRUE(notice.isNull());
}

TEST_F(NoticeForm, AReminderFiringShowsItsTextForSeventyPercentOfAShortPeriod) {
    prepareStore([](SettingsStore& store) {
        store.openKey(std::string(layout::notificationsKey) + "\\notice1", true);
        store.writeString(layout::notice::name, "Обед");
        store.writeString(layout::notice::text, "Пора обедать");
        store.writeInteger(layout::notice::interval, 4);
        store.writeBool(layout::notice::enabled, true);
        store.writeBool(layout::notice::once, false);
        store.writeBool(layout::notice::dateEnabled, false);
        store.openKey(layout::notificationsKey, false);
        store.writeString(layout::notifications::notificationsList, "Обед\r\n");
        store.writeString(layout::notifications::noticesList, "notice1\r\n");
        store.writeInteger(layout::notifications::notificationsCounter, 1);
    });
    startForm();
    const auto notices = [] {
        std::vector<TNoticeForm*> found;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* notice = qobject_cast<TNoticeForm*>(widget)) {
                found.push_back(notice);
            }
        }
        return found;
    };
    timeline.advance(4000);
    ASSERT_EQ(notices().size(), 1u);
    TNoticeForm* notice = notices().front();
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->Label1->text(), QStringLiteral("Пора обедать"));
    EXPECT_EQ(notice->Timer2->interval(), 2000);
    EXPECT_EQ(sound.plays(), 1);
    timeline.advance(2000);
    EXPECT_TRUE(notices().empty());
}

// --- The message ------------------------------------------------------------------------------

TEST_F(NoticeForm, TheMessageIsCentredWrappedEvenInsideLongWordsAndCutOffBelow) {
    prepareStore();
    startForm();
    TNoticeForm* notice = showNotice(QStringLiteral("Чай"));
    auto* label = qobject_cast<NoticeLabel*>(notice->Label1);
    ASSERT_NE(label, nullptr);
    QList<QRectF> lines = label->lineRects();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_NEAR(lines[0].center().x(), 153 / 2.0, 1.0);
    EXPECT_NEAR(lines[0].center().y(), 97 / 2.0, 1.0);

    label->setText(QStringLiteral("Перезвонить в бухгалтерию насчёт "
                                  "Достопримечательностейсовершенноневероятныхразмеров"));
    lines = label->lineRects();
    ASSERT_GE(lines.size(), 3);
    for (const QRectF& line : lines) {
        EXPECT_GE(line.left(), -0.5);
        EXPECT_LE(line.right(), 153.5);
    }
    EXPECT_GT(lines.front().top(), 0);
    EXPECT_LT(lines.back().bottom(), 97);

    // Lines of their own, and more than fit: the middle ones are shown, the rest cut off.
    label->setText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12"));
    lines = label->lineRects();
    ASSERT_EQ(lines.size(), 12);
    EXPECT_LT(lines.front().top(), 0);
    EXPECT_GT(lines.back().bottom(), 97);
    EXPECT_NEAR((lines.front().top() + lines.back().bottom()) / 2, 97 / 2.0, 1.0);
}

// --- Colours ----------------------------------------------------------------------------------

TEST_F(NoticeForm, ContextMenuOnTheMessageOffersBothColours) {
    prepareStore();
    startForm();
    TNoticeForm* notice = showNotice();
    QStringList items;
    for (const QAction* action : notice->PopupMenu1->actions()) {
        items.append(action->text());
    }
    EXPECT_EQ(items, (QStringList{QStringLiteral("Установить фоновый цвет"),
                                  QStringLiteral("Установить цвет текста")}));

    QContextMenuEvent besideTheMessage(QContextMenuEvent::Mouse, QPoint(5, 50),
                                       notice->mapToGlobal(QPoint(5, 50)));
    QApplication::sendEvent(notice, &besideTheMessage);
    EXPECT_FALSE(notice->PopupMenu1->isVisible());
    QContextMenuEvent onTheMessage(QContextMenuEvent::Mouse, QPoint(70, 40),
                                   notice->Label1->mapToGlobal(QPoint(70, 40)));
    QApplication::sendEvent(notice->Label1, &onTheMessage);
    EXPECT_TRUE(notice->PopupMenu1->isVisible());
    notice->PopupMenu1->hide();
}

TEST_F(NoticeForm, AChosenColourIsStoredTakenAndUsedByTheNextNoticeOnly) {
    prepareStore();
    startForm();
    TNoticeForm* earlier = showNotice(QStringLiteral("Раньше"));
    TNoticeForm* notice = showNotice();

    dialogs.expectColorDialog(QColor(255, 0, 0), aqua);
    notice->N1->trigger();
    EXPECT_EQ(storedInteger(layout::product::noticeBackgroundColor), 0x0000FF);
    EXPECT_EQ(reminders().noticeColors.NoticeBackgroundColor, 0x0000FFu);
    EXPECT_EQ(background(*notice), QColor(255, 0, 0));

    dialogs.expectColorDialog(QColor(255, 255, 255), black);
    notice->N2->trigger();
    EXPECT_EQ(storedInteger(layout::product::noticeTextColor), 0xFFFFFF);
    EXPECT_EQ(reminders().noticeColors.NoticeTextColor, 0xFFFFFFu);
    EXPECT_EQ(textColor(*notice), QColor(255, 255, 255));
    EXPECT_EQ(dialogs.shown().back().owner, notice);

    // The dialogs of this window start from its own colours now.
    dialogs.expectColorDialog(std::nullopt, QColor(255, 0, 0));
    notice->N1->trigger();

    EXPECT_EQ(background(*earlier), aqua);
    EXPECT_EQ(textColor(*earlier), black);
    TNoticeForm* next = showNotice(QStringLiteral("Позже"));
    EXPECT_EQ(background(*next), QColor(255, 0, 0));
    EXPECT_EQ(textColor(*next), QColor(255, 255, 255));
}

TEST_F(NoticeForm, ACancelledColourWritesNothingAndRestartsTheDelayInFull) {
    prepareStore();
    startForm();
    QPointer<TNoticeForm> notice(showNotice(QStringLiteral("Пора"), 5000));
    timeline.advance(4000);
    const std::vector<std::string> before = storeContents();

    dialogs.expectColorDialog(std::nullopt, aqua);
    notice->N1->trigger();
    dialogs.expectColorDialog(std::nullopt, black);
    notice->N2->trigger();
    EXPECT_EQ(storeContents(), before);
    EXPECT_EQ(reminders().noticeColors.NoticeBackgroundColor, 0xFFFF00u);
    EXPECT_EQ(background(*notice), aqua);
    EXPECT_EQ(textColor(*notice), black);

    timeline.advance(4999);
    ASSERT_FALSE(notice.isNull());
    timeline.advance(1);
    EXPECT_TRUE(notice.isNull());
}

TEST_F(NoticeForm, AStoreErrorIsReportedAndTheWindowStillClosesByItself) {
    prepareStore();
    startForm();
    QPointer<TNoticeForm> notice(showNotice(QStringLiteral("Пора"), 5000));
    {
        SettingsStore store;
        store.setRoot(SettingsStore::Root::LocalMachine);
        ASSERT_TRUE(store.deleteKey(layout::productKey));
    }
    dialogs.expectColorDialog(QColor(255, 0, 0));
    dialogs.expectError(QStringLiteral("Failed to open key '\\SOFTWARE\\Tickwell2'"));
    notice->N1->trigger();
    EXPECT_EQ(reminders().noticeColors.NoticeBackgroundColor, 0xFFFF00u);
    EXPECT_EQ(background(*notice), aqua);

    timeline.advance(5000);
    EXPECT_TRUE(notice.isNull());
}

TEST_F(NoticeForm, AColourChosenAfterTheMainWindowWentIsStillStored) {
    prepareStore();
    startForm();
    QPointer<TNoticeForm> notice(showNotice());
    form.reset();
    dialogs.expectColorDialog(QColor(0, 0, 255));
    notice->N1->trigger();
    EXPECT_EQ(storedInteger(layout::product::noticeBackgroundColor), 0xFF0000);
    EXPECT_EQ(background(*notice), QColor(0, 0, 255));
}

} // namespace
} // namespace tickwell::test
