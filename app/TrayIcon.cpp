#include "app/TrayIcon.h"

#include "platform/IntervalTimer.h"
#include "platform/TrayArea.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

namespace tickwell {

TTrayIcon::TTrayIcon(QWidget* owner)
    : QObject(owner), owner_(owner), areaIcon_(trayArea().createIcon(this)),
      clickTimer_(new IntervalTimer(this, QStringLiteral("TrayClickTimer"), 0, false)) {
    connect(areaIcon_, &TrayAreaIcon::leftPressed, this, [this] { leftPressed(); });
    connect(areaIcon_, &TrayAreaIcon::leftDoubleClicked, this, [this] { leftDoubleClicked(); });
    connect(areaIcon_, &TrayAreaIcon::rightPressed, this,
            [this](QPoint cursor) { ShowTrayMenuAt(cursor); });
    connect(areaIcon_, &TrayAreaIcon::activated, this, [this] { leftDoubleClicked(); });
    connect(clickTimer_, &IntervalTimer::timeout, this, [this] { clickTimerTimer(); });
}

TTrayIcon::~TTrayIcon() {
    RemoveTrayIcon();
}

void TTrayIcon::setHint(const QString& hint) {
    hint_ = hint;
    UpdateTrayIcon();
}

void TTrayIcon::setShowHint(bool show) {
    showHint_ = show;
    UpdateTrayIcon();
}

void TTrayIcon::setIcon(const QIcon& icon) {
    icon_ = icon;
    UpdateTrayIcon();
}

void TTrayIcon::setPopupMenu(QMenu* menu) {
    popupMenu_ = menu;
    areaIcon_->setMenu(menu);
}

void TTrayIcon::AddTrayIcon() {
    iconVisible_ = true;
    UpdateTrayIcon();
    areaIcon_->setVisible(true);
}

void TTrayIcon::RemoveTrayIcon() {
    iconVisible_ = false;
    areaIcon_->setVisible(false);
}

void TTrayIcon::UpdateTrayIcon() {
    areaIcon_->setIcon(icon_);
    areaIcon_->setToolTip(showHint_ ? hint_.left(maximumHintLength) : QString());
}

void TTrayIcon::HideToTray() {
    HideTaskbarButton();
}

void TTrayIcon::HideTaskbarButton() {
    if (owner_ != nullptr && owner_->isVisible()) {
        owner_->hide();
    }
}

void TTrayIcon::RestoreFromTray() {
    if (owner_ == nullptr) {
        return;
    }
    // A hidden window keeps its minimised state; it is cleared first so that the window comes
    // back as a normal window rather than as a taskbar entry only.
    const Qt::WindowStates state = owner_->windowState();
    if (state.testFlag(Qt::WindowMinimized)) {
        owner_->setWindowState(state & ~Qt::WindowMinimized);
    }
    owner_->show();
    owner_->raise();
    owner_->activateWindow();
}

void TTrayIcon::ShowTrayMenuAt(QPoint position) {
    if (popupMenu_ != nullptr) {
        popupMenu_->popup(position);
    }
}

// With a double-click handler a press only starts the wait for a second one; the click is
// reported when the wait ends without it.
void TTrayIcon::leftPressed() {
    if (OnDblClick) {
        clickReady_ = true;
        clickTimer_->setEnabled(false);
        clickTimer_->setInterval(QApplication::doubleClickInterval());
        clickTimer_->setEnabled(true);
        return;
    }
    if (OnClick) {
        OnClick();
    }
}

void TTrayIcon::leftDoubleClicked() {
    clickReady_ = false;
    doubleClicked_ = true;
    if (OnDblClick) {
        OnDblClick();
    }
    clickDefaultItem();
}

void TTrayIcon::clickTimerTimer() {
    clickTimer_->setEnabled(false);
    const bool click = !doubleClicked_ && clickReady_;
    doubleClicked_ = false;
    if (click) {
        clickReady_ = false;
        if (OnClick) {
            OnClick();
        }
    }
}

// The menu's default item is clicked as the user would click it, so a disabled item does
// nothing and a checkable one changes its mark first.
void TTrayIcon::clickDefaultItem() {
    if (popupMenu_ == nullptr) {
        return;
    }
    QAction* item = popupMenu_->defaultAction();
    if (item != nullptr && item->isEnabled()) {
        item->trigger();
    }
}

} // namespace tickwell
