#include "reminders/NoticeForm.h"

#include "platform/Dialogs.h"
#include "platform/IntervalTimer.h"
#include "platform/NotificationSound.h"
#include "platform/ScreenInfo.h"
#include "platform/WindowSystem.h"
#include "reminders/ColorValue.h"
#include "reminders/FadeCover.h"
#include "reminders/NoticeColors.h"
#include "reminders/NoticeLabel.h"
#include "reminders/ReminderTexts.h"
#include "settings/Layout.h"
#include "settings/SettingsStore.h"
#include "widgets/AccessibleControls.h"
#include "widgets/ErrorGuard.h"
#include "widgets/FormDesign.h"

#include <QAction>
#include <QCloseEvent>
#include <QDebug>
#include <QHideEvent>
#include <QMenu>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace tickwell {

namespace {

constexpr QSize clientSize{185, 97};
constexpr QRect labelGeometry{16, 0, 153, 97};
constexpr int fadeStepMs = 10;
constexpr int designCloseDelayMs = 30000;
// A delay of 0 would never end: a notice every second would leave one more top-most window on the
// screen every second for as long as nobody is at the desk.
constexpr int shortestCloseDelayMs = 1000;
// The fade starts here, rises by a step on each tick and stops after the tick that finds it at
// or above the last step: 10, 20, ..., 220, 230.
constexpr int fadeStart = 10;
constexpr int fadeStep = 10;
constexpr int fadeLastStep = 220;
// The design's colours, until the window is shown with the main window's: aqua and black.
constexpr std::uint32_t designBackground = 0xFFFF00;
constexpr std::uint32_t designText = 0x000000;
// How far beyond the client area a window manager's frame may reach: the painted fade takes
// the screen this far around the place where the window will appear, so it still covers the
// window after the window was placed again for its frame.
constexpr int frameAllowance = 100;
// How often and how long after showing the window looks for the frame the window manager put
// around it, besides the window system's events: 50 ms for 2 s.
constexpr int frameCheckMs = 50;
constexpr int frameCheckCount = 40;

} // namespace

// Enables the auto-close delay again when the scope ends, also when a handler ends with an
// error: the window must never lose it.
class TNoticeForm::EnableOnExit {
public:
    explicit EnableOnExit(TNoticeForm* form) : form_(form) {}
    ~EnableOnExit() { form_->Timer2->setEnabled(true); }
    EnableOnExit(const EnableOnExit&) = delete;
    EnableOnExit& operator=(const EnableOnExit&) = delete;

private:
    TNoticeForm* form_;
};

TNoticeForm::TNoticeForm(NoticeColors* colors)
    : QWidget(nullptr), colors_(colors), backgroundColor_(colorFromValue(designBackground)),
      textColor_(colorFromValue(designText)) {
    namespace t = texts::reminders;
    setObjectName(QStringLiteral("NoticeForm"));
    // A screen reader announces a notification with its caption and its description, the
    // message (set as the window is shown).
    setAccessibleWindowRole(this, QAccessible::Notification);
    setWindowTitle(QString::fromUtf8(t::noticeCaption));
    // A tool window with a small title bar that has only a close button, above every other
    // window.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);
    setFont(design::formFont());
    setAutoFillBackground(true);
    // A notice must not take the keyboard from what the user is typing in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Closing a notice is no reason to end the program, also while the main window is in the
    // tray.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* label = new NoticeLabel(this);
    Label1 = label;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(labelGeometry);
    Label1->setFixedSize(labelGeometry.size());
    Label1->setContextMenuPolicy(Qt::CustomContextMenu);

    fadeCover_ = new FadeCover(this);

    frameWatch_ = new QTimer(this);
    frameWatch_->setInterval(frameCheckMs);
    connect(frameWatch_, &QTimer::timeout, this, [this] {
        if (++frameChecks_ >= frameCheckCount) {
            frameWatch_->stop();
        }
        correctPlacementForFrame();
    });

    Timer1 = new IntervalTimer(this, QStringLiteral("Timer1"), fadeStepMs, false);
    Timer2 = new IntervalTimer(this, QStringLiteral("Timer2"), designCloseDelayMs, false);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(QString::fromUtf8(t::setBackgroundColor));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = PopupMenu1->addAction(QString::fromUtf8(t::setTextColor));
    N2->setObjectName(QStringLiteral("N2"));

    connect(Label1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(Label1->mapToGlobal(pos)); });
    connectGuarded(label, &NoticeLabel::clicked, this, [this] { Label1Click(); });
    connectGuarded(Timer1, &IntervalTimer::timeout, this, [this] { Timer1Timer(); });
    connectGuarded(Timer2, &IntervalTimer::timeout, this, [this] { Label1Click(); });
    connectGuarded(N1, &QAction::triggered, this, [this] { N1Click(); });
    connectGuarded(N2, &QAction::triggered, this, [this] { N2Click(); });
}

TNoticeForm::~TNoticeForm() {
    leavePlace();
}

void TNoticeForm::FormShow() {
    if (colors_) {
        backgroundColor_ = colorFromValue(colors_->NoticeBackgroundColor);
        textColor_ = colorFromValue(colors_->NoticeTextColor);
    }
    setBackgroundColor(backgroundColor_);
    setTextColor(textColor_);
    takePlace();
    placeAtBottomRight();
    setAccessibleDescription(Label1->text());

    fadeMethod_ = currentFadeMethod();
    if (fadeMethod_ == FadeMethod::Painted) {
        // Still hidden: the screen there shows what will be under the window.
        const QRect place = geometry().marginsAdded(placedMargins_);
        fadeCover_->grabUnder(
            place.adjusted(-frameAllowance, -frameAllowance, frameAllowance, frameAllowance));
    } else {
        fadeCover_->clear();
    }
    setOpacity(fadeStart);

    if (Timer2->interval() <= 0) {
        Timer2->setInterval(shortestCloseDelayMs);
    }
    Timer1->setEnabled(true);
    Timer2->setEnabled(true);
    notificationSound().play();
}

void TNoticeForm::Timer1Timer() {
    if (opacity_ >= fadeLastStep) {
        Timer1->setEnabled(false);
    }
    setOpacity(opacity_ + fadeStep);
}

void TNoticeForm::Label1Click() {
    deleteLater();
}

// Background colour: the auto-close delay stands still while the dialog is open and starts in
// full afterwards, whatever the user chose. A chosen colour is stored for every later notice
// and taken by this one; windows already open keep theirs.
void TNoticeForm::N1Click() {
    chooseColor(&TNoticeForm::backgroundColor_, layout::product::noticeBackgroundColor,
                &NoticeColors::NoticeBackgroundColor, &TNoticeForm::setBackgroundColor);
}

// Text colour: as N1Click, for Label1's text.
void TNoticeForm::N2Click() {
    chooseColor(&TNoticeForm::textColor_, layout::product::noticeTextColor,
                &NoticeColors::NoticeTextColor, &TNoticeForm::setTextColor);
}

void TNoticeForm::chooseColor(QColor TNoticeForm::*current, std::string_view valueName,
                              std::uint32_t NoticeColors::*global,
                              void (TNoticeForm::*apply)(const QColor&)) {
    Timer2->setEnabled(false);
    const EnableOnExit restartDelay(this);
    const std::optional<QColor> chosen = dialogs().chooseColor(this, this->*current);
    if (!chosen) {
        return;
    }
    const std::uint32_t value = valueFromColor(*chosen);
    SettingsStore store;
    store.setRoot(SettingsStore::Root::LocalMachine);
    store.openExistingKey(layout::productKey);
    store.writeInteger(valueName, static_cast<std::int32_t>(value));
    if (colors_) {
        colors_.data()->*global = value;
    }
    (this->*apply)(colorFromValue(value));
}

void TNoticeForm::setOpacity(int opacity) {
    opacity_ = qBound(0, opacity, 255);
    if (fadeMethod_ == FadeMethod::Painted) {
        setWindowOpacity(1.0);
        fadeCover_->setOpacity(opacity_);
    } else {
        setWindowOpacity(opacity_ / 255.0);
        windowSystem().flushRequests();
    }
}

void TNoticeForm::setBackgroundColor(const QColor& color) {
    backgroundColor_ = color;
    QPalette colors = palette();
    colors.setColor(QPalette::Window, color);
    setPalette(colors);
}

void TNoticeForm::setTextColor(const QColor& color) {
    textColor_ = color;
    QPalette colors = Label1->palette();
    colors.setColor(QPalette::WindowText, color);
    Label1->setPalette(colors);
}

// The frame a window manager put around the last notice window; the next one reckons with the
// same frame before its own is known.
QMargins TNoticeForm::lastFrameMargins_;

std::vector<TNoticeForm*> TNoticeForm::places_;

void TNoticeForm::takePlace() {
    if (place_ >= 0) {
        return;
    }
    const auto free = std::find(places_.begin(), places_.end(), nullptr);
    place_ = static_cast<int>(free - places_.begin());
    if (free == places_.end()) {
        places_.push_back(this);
    } else {
        *free = this;
    }
}

void TNoticeForm::leavePlace() {
    if (place_ < 0) {
        return;
    }
    places_[static_cast<std::size_t>(place_)] = nullptr;
    while (!places_.empty() && places_.back() == nullptr) {
        places_.pop_back();
    }
    place_ = -1;
}

QMargins TNoticeForm::frameMargins() const {
    if (const std::optional<QMargins> extents = windowSystem().frameExtents(*this)) {
        return *extents;
    }
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

void TNoticeForm::placeAtBottomRight() {
    // A window not on the screen yet has no frame so far: it will likely get the last one's.
    const QMargins frame = frameMargins();
    placedMargins_ = frame.isNull() ? lastFrameMargins_ : frame;
    // The work area's size only: its own top-left corner is not added, so a panel at the bottom
    // or at the right leaves the window in the work area's bottom-right corner.
    const QRect area = screenInfo().workArea();
    const QSize outer = size().grownBy(placedMargins_);
    // Place 0 is the corner; the places above it follow up to the work area's top, then the next
    // column to the left begins. With the screen full the places begin again at the corner.
    const int rows = std::max(1, (area.height() - area.top()) / outer.height());
    const int columns = std::max(1, (area.width() - area.left()) / outer.width());
    const int place = std::max(place_, 0) % (rows * columns);
    const QPoint outerTopLeft(area.width() - (place / rows + 1) * outer.width(),
                              area.height() - (place % rows + 1) * outer.height());
    setGeometry(QRect(outerTopLeft + QPoint(placedMargins_.left(), placedMargins_.top()), size()));
}

// Under a window manager the frame around a window is known only once the window is on the
// screen, so the placement on showing reckons with the frame of the notice before (none for the
// first one) and the frame may stick out at the right and at the bottom. Once the window is on
// the screen it looks for its frame: at its native window's expose event, at a move or resize
// by the window manager, and every 50 ms for 2 s, since the manager may announce the frame only
// after the window appeared, with no event that reaches the window. The first frame it finds
// is remembered for the next notice; when it differs from the one reckoned with, the window is
// placed once more. After that it stays where the user may move it.
void TNoticeForm::correctPlacementForFrame() {
    if (!placementPending_ || !isVisible()) {
        return;
    }
    const QMargins frame = frameMargins();
    if (frame.isNull()) {
        return; // not known yet, or no frame at all
    }
    lastFrameMargins_ = frame;
    placementPending_ = false;
    frameWatch_->stop();
    if (frame != placedMargins_) {
        placeAtBottomRight();
    }
}

void TNoticeForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown by the program, not given back by the window system after a minimise.
    if (!event->spontaneous()) {
        guarded(this, [this] { FormShow(); });
        placementPending_ = true;
        frameChecks_ = 0;
        frameWatch_->start();
        if (QWindow* window = windowHandle(); window != nullptr && !watchingWindow_) {
            window->installEventFilter(this);
            watchingWindow_ = true;
        }
    }
}

// The title bar's close button hides the window; it is destroyed by its auto-close delay or a
// click on the message, as ever. Accepting the close lets a session end with notices open.
void TNoticeForm::closeEvent(QCloseEvent* event) {
    event->accept();
}

// A notice the user closed leaves its place to the next one.
void TNoticeForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        leavePlace();
    }
}

bool TNoticeForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        correctPlacementForFrame();
    }
    return QWidget::eventFilter(watched, event);
}

void TNoticeForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    correctPlacementForFrame();
}

void TNoticeForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    correctPlacementForFrame();
}

} // namespace tickwell
