#include "MainForm.h"

#include "AccessibleControls.h"
#include "AddNotice.h"
#include "AppTexts.h"
#include "FormDesign.h"
#include "MainFormTexts.h"
#include "ScreenInfo.h"
#include "TrayIcon.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
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
    buildRemindersTab();
    buildTasksTab();
    buildImagesTab();
    buildHelpTab();
    buildComponents();
    buildTrayIcon();
    fitWindowToDesign();
    connectHandlers();
    AddNotice = new TAddNotice(*this);
    FormCreate();
    // The icon stays in the notification area from here until the program ends; a refused
    // second start never shows one.
    if (!startupRefused_) {
        TrayIcon1->AddTrayIcon();
    }
}

TMainForm::~TMainForm() {
    delete AddNotice;
}

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
    const auto addPage = [this](const char* name, const char* caption) {
        auto* page = new QWidget;
        page->setObjectName(QLatin1String(name));
        page->resize(design::tabPageSize);
        PageControl1->addTab(page, QString::fromUtf8(caption));
        return page;
    };
    TabSheet1 = addPage("TabSheet1", texts::mainForm::remindersTab);
    TabSheet2 = addPage("TabSheet2", texts::mainForm::tasksTab);
    TabSheet3 = addPage("TabSheet3", texts::mainForm::imagesTab);
    TabSheet5 = addPage("TabSheet5", texts::mainForm::helpTab);
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

// Centres the buttons of the tab on view for the window's width; the Help tab turns on word
// wrap of its text on its first visit.
void TMainForm::FormResize() {
    const int w = width();
    switch (PageControl1->currentIndex()) {
    case 0:
        Button2->move(half(w) - half(Button2->width()) - 8, Button2->y());
        Button4->move(half(w) - half(Button4->width()), Button4->y());
        break;
    case 1:
        Button6->move(half(w) - half(Button6->width()) - 8, Button6->y());
        Button11->move(half(w) - half(Button11->width()), Button11->y());
        break;
    case 2:
        Button10->move(half(w) - half(Button10->width()), Button10->y());
        break;
    case 3:
        turnOnHelpWordWrap();
        break;
    default:
        break;
    }
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
