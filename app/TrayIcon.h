#pragma once

// The tray icon module: one icon in the desktop's notification area that turns the mouse into
// events, opens its popup menu at the cursor on a right press, and hides and restores its
// owner window together with the window's taskbar entry.

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace tickwell {

class IntervalTimer;
class TrayAreaIcon;

class TTrayIcon : public QObject {
    Q_OBJECT
public:
    // The most characters of the hint the notification area shows.
    static constexpr int maximumHintLength = 127;

    // An icon for the window `owner`, not shown until AddTrayIcon().
    explicit TTrayIcon(QWidget* owner);
    ~TTrayIcon() override;

    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // --- Properties; a change of Icon, Hint or ShowHint updates the icon at once ------------
    void setHint(const QString& hint);
    void setShowHint(bool show);
    void setIcon(const QIcon& icon);
    bool IconVisible() const { return iconVisible_; }
    // Opened at the cursor on a right press; its default item is clicked after a double click.
    // A host of the StatusNotifierItem protocol is given it to show itself.
    void setPopupMenu(QMenu* menu);

    // --- Events ---------------------------------------------------------------------------
    // A single left click. While OnDblClick is set it is reported only once the double-click
    // time has passed without a second click.
    std::function<void()> OnClick;
    // A double click; also a host's request for the window (its click over the protocol, which
    // has no double click).
    std::function<void()> OnDblClick;

    // --- Operations -----------------------------------------------------------------------
    void AddTrayIcon();
    void RemoveTrayIcon();
    // Gives the icon the current image and tooltip (the hint cut to its first 127 characters,
    // empty when the hint is not to be shown).
    void UpdateTrayIcon();
    // Hides the owner window and its taskbar entry.
    void HideToTray();
    // Takes the owner window off the taskbar. A top-level window's taskbar entry is the window
    // itself here, so the window is withdrawn from the desktop if it is still there; hiding it
    // to the tray is therefore this one step.
    void HideTaskbarButton();
    // Brings the owner window back out of the minimised or hidden state, with its taskbar entry,
    // and to the front.
    void RestoreFromTray();
    // Opens the popup menu with its top left corner at `position` (screen coordinates).
    void ShowTrayMenuAt(QPoint position);

    // The timer that tells a single click from a double click (for tests, which fire it).
    IntervalTimer* clickTimer() const { return clickTimer_; }

private:
    void leftPressed();
    void leftDoubleClicked();
    void clickTimerTimer();
    void clickDefaultItem();

    QPointer<QWidget> owner_;
    TrayAreaIcon* areaIcon_;
    IntervalTimer* clickTimer_;
    QPointer<QMenu> popupMenu_;
    QString hint_;
    bool showHint_ = true;
    QIcon icon_;
    bool iconVisible_ = false;
    bool clickReady_ = false;
    bool doubleClicked_ = false;
};

} // namespace tickwell
