// The tray icon module on its own: the tooltip it gives the notification area, how it tells a
// click from a double click, the menu at the cursor, and hiding and restoring its owner window.

#include "app/TrayIcon.h"

#include "TestSeams.h"
#include "platform/IntervalTimer.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tickwell::test {
namespace {

class TrayIconModule : public ::testing::Test {
protected:
    TrayIconModule() {
        menu = new QMenu(owner.get());
        item = menu->addAction(QStringLiteral("Восстановить"));
        menu->addAction(QStringLiteral("Выход"));
        menu->setDefaultAction(item);
        QObject::connect(item, &QAction::triggered, [this] { events.push_back("item"); });
        tray = new TTrayIcon(owner.get());
        tray->setPopupMenu(menu);
    }
    ~TrayIconModule() override { menu->hide(); }

    FakeTrayAreaIcon& icon() { return area.icon(); }

    TestSeams seams;
    FakeTrayArea& area = seams.trayArea;
    std::unique_ptr<QWidget> owner = std::make_unique<QWidget>();
    QMenu* menu;
    QAction* item;
    TTrayIcon* tray;
    std::vector<std::string> events;
};

TEST_F(TrayIconModule, TooltipIsTheHintCutTo127CharactersOrNothing) {
    const QString longHint = QString(100, u'а') + QString(100, u'б');
    tray->setHint(longHint);
    EXPECT_EQ(icon().toolTip(), longHint.left(127));
    tray->setHint(QString(127, u'в'));
    EXPECT_EQ(icon().toolTip(), QString(127, u'в'));
    tray->setShowHint(false);
    EXPECT_EQ(icon().toolTip(), QString());
    tray->setShowHint(true);
    EXPECT_EQ(icon().toolTip(), QString(127, u'в'));
}

TEST_F(TrayIconModule, IconIsInTheAreaFromAddUntilRemove) {
    EXPECT_FALSE(icon().isVisible());
    tray->setHint(QStringLiteral("Tickwell v2.0"));
    tray->AddTrayIcon();
    EXPECT_TRUE(icon().isVisible());
    EXPECT_TRUE(tray->IconVisible());
    EXPECT_EQ(icon().toolTip(), QStringLiteral("Tickwell v2.0"));
    tray->RemoveTrayIcon();
    EXPECT_FALSE(icon().isVisible());
    EXPECT_FALSE(tray->IconVisible());
}

TEST_F(TrayIconModule, SingleClickWaitsOutTheDoubleClickTimeWhenDoubleClicksAreHandled) {
    tray->OnClick = [this] { events.push_back("click"); };
    tray->OnDblClick = [this] { events.push_back("double"); };

    icon().pressLeft();
    EXPECT_TRUE(events.empty());
    ASSERT_TRUE(tray->clickTimer()->isRunning());
    EXPECT_EQ(tray->clickTimer()->interval(), QApplication::doubleClickInterval());
    tray->clickTimer()->fireForTest();
    EXPECT_EQ(events, (std::vector<std::string>{"click"}));
    EXPECT_FALSE(tray->clickTimer()->isRunning());

    // A double click: no single click is reported, before or after the wait.
    events.clear();
    icon().doubleClick();
    tray->clickTimer()->fireForTest();
    EXPECT_EQ(events, (std::vector<std::string>{"double", "item"}));

    // The next single click is reported again.
    events.clear();
    icon().pressLeft();
    tray->clickTimer()->fireForTest();
    EXPECT_EQ(events, (std::vector<std::string>{"click"}));
}

TEST_F(TrayIconModule, SingleClickIsReportedAtOnceWithoutADoubleClickHandler) {
    tray->OnClick = [this] { events.push_back("click"); };
    icon().pressLeft();
    EXPECT_EQ(events, (std::vector<std::string>{"click"}));
    EXPECT_FALSE(tray->clickTimer()->isRunning());
}

TEST_F(TrayIconModule, DoubleClickClicksTheDefaultItemOnlyWhileItIsEnabled) {
    tray->OnDblClick = [this] { events.push_back("double"); };
    icon().doubleClick();
    EXPECT_EQ(events, (std::vector<std::string>{"double", "item"}));

    // The handler may disable the item: then the click that follows does nothing.
    events.clear();
    tray->OnDblClick = [this] {
        events.push_back("double");
        item->setEnabled(false);
    };
    icon().doubleClick();
    EXPECT_EQ(events, (std::vector<std::string>{"double"}));

    // A checkable default item changes its mark, as a click on it would.
    tray->OnDblClick = {};
    item->setEnabled(true);
    item->setCheckable(true);
    icon().doubleClick();
    EXPECT_TRUE(item->isChecked());
}

// A host of the StatusNotifierItem protocol shows the menu itself and has no double click: its
// click asks for the window, and that is what the double click does.
TEST_F(TrayIconModule, AHostOfTheProtocolHasTheMenuAndItsClickActsAsADoubleClick) {
    EXPECT_EQ(icon().menu(), menu);
    tray->OnDblClick = [this] { events.push_back("double"); };
    icon().activate();
    icon().activate();
    EXPECT_EQ(events, (std::vector<std::string>{"double", "item", "double", "item"}));
    EXPECT_FALSE(tray->clickTimer()->isRunning());
}

TEST_F(TrayIconModule, RightPressOpensTheMenuAtTheCursorEachTime) {
    icon().pressRight(QPoint(200, 150));
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), QPoint(200, 150));
    menu->hide();
    icon().pressRight(QPoint(120, 90));
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), QPoint(120, 90));
    // A left press opens nothing.
    menu->hide();
    icon().pressLeft();
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(TrayIconModule, HidesAndRestoresItsOwnerWindow) {
    owner->show();
    owner->setWindowState(Qt::WindowMinimized);
    tray->HideToTray();
    EXPECT_FALSE(owner->isVisible());

    tray->RestoreFromTray();
    EXPECT_TRUE(owner->isVisible());
    EXPECT_FALSE(owner->isMinimized());

    // Restoring a window that is on screen keeps it there.
    tray->RestoreFromTray();
    EXPECT_TRUE(owner->isVisible());
}

} // namespace
} // namespace tickwell::test
