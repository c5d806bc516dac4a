#pragma once

// The desktop's notification area, behind a seam so that tests can press on an icon and take
// the area away. The real one is Qt's system tray: the classic area that docks the icon as a
// small window, or a host of the StatusNotifierItem protocol that shows the icon and its menu
// from what the program publishes over D-Bus.

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>
#include <memory>

class QMenu;

namespace tickwell {

// One icon in the notification area. It reports the mouse as the area delivers it: a left press,
// a left double click (which arrives instead of the second press) and a right press with the
// cursor position at that moment. A host of the protocol has no double click: its click asks
// for the program's window (activated).
class TrayAreaIcon : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void setIcon(const QIcon& icon) = 0;
    virtual void setToolTip(const QString& text) = 0;
    // Shows or removes the icon. A shown icon appears in a notification area that comes later
    // and comes back when the area restarts.
    virtual void setVisible(bool visible) = 0;
    // The icon's menu. A host of the protocol shows it itself, so it is published to the host;
    // the classic area leaves it to the program, which opens it at the cursor on a right press.
    virtual void setMenu(QMenu* menu) = 0;

signals:
    void leftPressed();
    void leftDoubleClicked();
    void rightPressed(QPoint cursor);
    void activated();
};

class TrayArea {
public:
    virtual ~TrayArea() = default;

    // Whether the desktop shows a notification area right now; it may appear or go at any time.
    virtual bool isAvailable() const = 0;
    // A new icon, not shown yet, owned by `owner`.
    virtual TrayAreaIcon* createIcon(QObject* owner) = 0;
};

// The notification area the program uses: the desktop's unless a test installed another (Seams.h).
TrayArea& trayArea();

} // namespace tickwell
