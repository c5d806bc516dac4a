#include "app/MainForm.h"

#include "app/HelpPage.h"
#include "app/MainFormDesign.h"
#include "app/MainFormTexts.h"
#include "app/TrayIcon.h"
#include "platform/ScreenInfo.h"
#include "reminders/RemindersPage.h"
#include "slideshow/SlideshowPage.h"
#include "tasks/TasksPage.h"
#include "widgets/AccessibleControls.h"
#include "widgets/AppTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QTabWidget>

namespace tickwell {

namespace {

// The page control: its tabs' inner area for a given outer size, as its style lays it out.
class PageControl : public QTabWidget {
public:
    using QTabWidget::QTabWidget;

    QSize frameAround() const {
        QStyleOptionTabWidgetFrame option;
        initStyleOption(&option);
        option.rect = QRect(QPoint(0, 0), size());
        const QRect inner = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
        return size() - inner.size();
    }
};

constexpr int half(int x) {
    return x / 2;
} // sizes here are never negative

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QWidget(parent), instanceLock_(QStringLiteral("TickwellMutex")) {
    setUpWindow();
    buildComponents();
    buildPages();
    buildTrayIcon();
    fitWindowToDesign();
    connectHandlers();
    FormCreate();
    // The icon stays in the notification area from here until the program ends; a refused
    // second start never shows one.
    if (!startupRefused_) {
        TrayIcon1->AddTrayIcon();
    }
}

TMainForm::~TMainForm() = default;

void TMainForm::setUpWindow() {
    setObjectName(QStringLiteral("MainForm"));
    setAccessibleWindowRole(this, QAccessible::Window);
    setWindowTitle(QString::fromUtf8(texts::applicationTitle));
    // Title, system menu, minimise and close, but no maximise button (the hints take effect
    // only together with CustomizeWindowHint).
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(design::formFont());

    PageControl1 = new PageControl(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setUsesScrollButtons(false);
    PageControl1->tabBar()->setExpanding(false);
}

// The pages in their tabs' order; the first tab is on view at start.
void TMainForm::buildPages() {
    TabSheet1 = new RemindersPage(*this);
    TabSheet1->setTrayItem(N2);
    TabSheet2 = new TasksPage(*TasksTimer, *TabSheet1);
    TabSheet2->setTrayItem(N3);
    TabSheet3 = new SlideshowPage(*ImagesTimer);
    TabSheet3->setTrayItem(N4);
    TabSheet5 = new HelpPage;
    for (TabPage* page :
         std::initializer_list<TabPage*>{TabSheet1, TabSheet2, TabSheet3, TabSheet5}) {
        PageControl1->addTab(page, page->caption());
    }
    PageControl1->setCurrentIndex(0);
}

// The design gives the window's size with its title bar, which the window manager draws outside
// the window here. The window is therefore as wide as designed and lower by the height that
// is left over once the page control's tabs and frame take theirs around a tab of the design
// size; the margins around the page control share the rest of the designed width.
void TMainForm::fitWindowToDesign() {
    PageControl1->ensurePolished();
    PageControl1->resize(design::windowSize);
    const QSize frame = static_cast<PageControl*>(PageControl1)->frameAround();
    const int spare =
        std::max(0, design::windowSize.width() - design::tabPageSize.width() - frame.width());
    pageMargins_ = QMargins(half(spare), half(spare), spare - half(spare), spare - half(spare));

    const int height = design::tabPageSize.height() + frame.height() + spare;
    const int titleBar = design::windowSize.height() - height;
    setMinimumSize(design::minimumWindowWidth, design::minimumWindowHeight - titleBar);
    setMaximumSize(design::maximumWindowWidth, QWIDGETSIZE_MAX);
    resize(design::windowSize.width(), height);
    PageControl1->setGeometry(rect().marginsRemoved(pageMargins_));

    // At the centre of the desktop.
    const QRect desktop = screenInfo().desktopArea();
    if (!desktop.isEmpty()) {
        move(desktop.center() - QPoint(half(width()), half(design::windowSize.height())));
    }
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PageControl1->setGeometry(rect().marginsRemoved(pageMargins_));
    FormResize();
}

// Only the tab on view is laid out for the window's width: its share of the rule is its own.
void TMainForm::FormResize() {
    static_cast<TabPage*>(PageControl1->currentWidget())->FormResize(width());
}

void TMainForm::PageControl1Change() {
    FormResize();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // The main window's close box ends the program, as "Выход" does.
    event->accept();
    QCoreApplication::quit();
}

void TMainForm::N6Click() {
    QCoreApplication::quit();
}

} // namespace tickwell
