#include "platform/EdgeAnchors.h"

#include "QtPrinters.h"
#include "TestTimeline.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tickwell;
using tickwell::test::deliverPostedEvents;

namespace {

// A tab's page at its design size of 339 x 348, shown so that resizes reach it at once.
class EdgeAnchorsTest : public ::testing::Test {
protected:
    EdgeAnchorsTest() {
        page.resize(designSize);
        page.show();
    }

    QWidget* control(const QRect& design, Edges edges) {
        auto* widget = new QWidget(&page);
        widget->setGeometry(design);
        EdgeAnchors::install(widget, edges, design, designSize);
        return widget;
    }

    const QSize designSize{339, 348};
    QWidget page;
};

TEST_F(EdgeAnchorsTest, LeftAndTopKeepThePlaceAndSize) {
    QWidget* label = control({8, 191, 160, 13}, Edge::Left | Edge::Top);
    page.resize(500, 600);
    EXPECT_EQ(label->geometry(), QRect(8, 191, 160, 13));
}

TEST_F(EdgeAnchorsTest, LeftAndRightStretchWithTheParent) {
    QWidget* list = control({8, 8, 319, 145}, Edge::Left | Edge::Top | Edge::Right);
    page.resize(400, 348);
    EXPECT_EQ(list->geometry(), QRect(8, 8, 380, 145));
    page.resize(324, 348);
    EXPECT_EQ(list->geometry(), QRect(8, 8, 304, 145));
}

TEST_F(EdgeAnchorsTest, RightAloneKeepsTheDistanceToTheRightEdge) {
    QWidget* button = control({252, 159, 75, 25}, Edge::Top | Edge::Right);
    page.resize(400, 500);
    EXPECT_EQ(button->geometry(), QRect(313, 159, 75, 25));
}

TEST_F(EdgeAnchorsTest, BottomAloneKeepsTheDistanceToTheBottomEdge) {
    QWidget* button = control({134, 311, 75, 25}, Edge::Left | Edge::Bottom);
    page.resize(339, 448);
    EXPECT_EQ(button->geometry(), QRect(134, 411, 75, 25));
}

TEST_F(EdgeAnchorsTest, AllFourEdgesStretchBothWays) {
    QWidget* memo =
        control({8, 128, 319, 208}, Edge::Left | Edge::Top | Edge::Right | Edge::Bottom);
    page.resize(589, 448);
    EXPECT_EQ(memo->geometry(), QRect(8, 128, 569, 308));
}

TEST_F(EdgeAnchorsTest, NoEdgeKeepsTheCentreInProportion) {
    QWidget* box = control({100, 100, 40, 20}, Edges());
    page.resize(678, 696);
    // Centre (120, 110) doubles to (240, 220).
    EXPECT_EQ(box->geometry(), QRect(220, 210, 40, 20));
}

TEST_F(EdgeAnchorsTest, StretchNeverGoesBelowZeroWidth) {
    QWidget* list = control({8, 8, 319, 145}, Edge::Left | Edge::Right | Edge::Top | Edge::Bottom);
    page.resize(10, 10);
    EXPECT_EQ(list->width(), 0);
    EXPECT_EQ(list->height(), 0);
    page.resize(designSize);
    EXPECT_EQ(list->geometry(), QRect(8, 8, 319, 145)) << "the rule survives a tiny parent";
}

TEST_F(EdgeAnchorsTest, PositionSetByTheProgramIsTheNewDistanceToKeep) {
    QWidget* centred = control({123, 159, 89, 25}, Edge::Left | Edge::Top);
    QWidget* right = control({252, 159, 75, 25}, Edge::Top | Edge::Right);

    centred->move(115, 159);
    right->move(200, 159); // now 64 from the right edge
    page.resize(439, 348);

    EXPECT_EQ(centred->pos(), QPoint(115, 159));
    EXPECT_EQ(right->pos(), QPoint(300, 159));
}

TEST_F(EdgeAnchorsTest, ControlIsPlacedForTheParentsPresentSizeWhenInstalled) {
    page.resize(439, 448);
    auto* button = new QPushButton(&page);
    EdgeAnchors::install(button, Edge::Right | Edge::Bottom, {252, 311, 75, 25}, designSize);
    EXPECT_EQ(button->geometry(), QRect(352, 411, 75, 25));
}

TEST_F(EdgeAnchorsTest, LabelThatGrowsWithItsTextKeepsItsLeftAndTheNewRightDistance) {
    auto* label = new QLabel(QStringLiteral("Tickwell v2.0"), &page);
    label->setGeometry(154, 24, 100, 20);
    EdgeAnchors::install(label, Edge::Top | Edge::Right, {154, 24, 100, 20}, designSize);

    label->resize(150, 20);
    page.resize(389, 348);
    EXPECT_EQ(label->geometry(), QRect(204, 24, 150, 20));
}

// Controls on a page that is not on view follow the window once the page is shown. Pages not
// yet shown have no meaningful size, so the controls are installed with the design size.
TEST(EdgeAnchorsOnTabs, HiddenPageCatchesUpWhenShown) {
    const QSize designSize(339, 348);
    QTabWidget tabs;
    auto* first = new QWidget;
    auto* second = new QWidget;
    tabs.addTab(first, QStringLiteral("Напоминания"));
    tabs.addTab(second, QStringLiteral("Задачи"));
    auto* list = new QListWidget(second);
    EdgeAnchors::install(list, Edge::Left | Edge::Top | Edge::Right, {8, 8, 319, 128}, designSize);
    auto* button = new QPushButton(second);
    EdgeAnchors::install(button, Edge::Top | Edge::Right, {252, 143, 75, 25}, designSize);
    tabs.resize(450, 400);
    tabs.show();
    deliverPostedEvents();

    tabs.resize(520, 420);
    tabs.setCurrentIndex(1);
    deliverPostedEvents();

    const int width = second->width();
    ASSERT_EQ(width, first->width());
    EXPECT_EQ(list->geometry(), QRect(8, 8, width - 20, 128));
    EXPECT_EQ(button->geometry(), QRect(width - 87, 143, 75, 25));
}

} // namespace
