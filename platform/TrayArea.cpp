#include "platform/TrayArea.h"

#include "platform/Seams.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QMenu>
#include <QSystemTrayIcon>

namespace tickwell {

namespace {

// Whether Qt publishes the tray icon as an item of the StatusNotifierItem protocol rather than
// docking it in the classic area. Qt decides that once in a process, the first time the tray is
// asked for, from whether a host is registered with the protocol's watcher on the session bus;
// the program asks the same question right after that first time and keeps the answer.
bool publishedOverTheProtocol() {
    static const bool answer = [] {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            return false;
        }
        const QDBusInterface watcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                                     QStringLiteral("/StatusNotifierWatcher"),
                                     QStringLiteral("org.kde.StatusNotifierWatcher"), bus);
        return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
    }();
    return answer;
}

// Qt's tray icon reports a left press as Trigger, the second press of a double click as
// DoubleClick and a right press as Context. On the classic area it is given no context menu of
// its own: the tray module opens the menu itself, at the cursor. A host of the protocol reads
// the menu over D-Bus instead (Qt publishes the context menu it is given), and its click, which
// Qt also reports as Trigger, asks for the window.
class QtTrayAreaIcon final : public TrayAreaIcon {
public:
    explicit QtTrayAreaIcon(QObject* owner)
        : TrayAreaIcon(owner), statusNotifierItem_(publishedOverTheProtocol()) {
        connect(&icon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    switch (reason) {
                    case QSystemTrayIcon::Trigger:
                        if (statusNotifierItem_) {
                            emit activated();
                        } else {
                            emit leftPressed();
                        }
                        break;
                    case QSystemTrayIcon::DoubleClick:
                        emit leftDoubleClicked();
                        break;
                    case QSystemTrayIcon::Context:
                        emit rightPressed(QCursor::pos());
                        break;
                    case QSystemTrayIcon::MiddleClick:
                    case QSystemTrayIcon::Unknown:
                        break;
                    }
                });
    }

    void setIcon(const QIcon& icon) override { icon_.setIcon(icon); }
    void setToolTip(const QString& text) override { icon_.setToolTip(text); }

    void setVisible(bool visible) override { icon_.setVisible(visible); }

    void setMenu(QMenu* menu) override {
        if (statusNotifierItem_) {
            icon_.setContextMenu(menu);
        }
    }

private:
    QSystemTrayIcon icon_; // made first: Qt decides its kind as it is made
    const bool statusNotifierItem_;
};

class QtTrayArea final : public TrayArea {
public:
    bool isAvailable() const override {
        const bool available = QSystemTrayIcon::isSystemTrayAvailable();
        publishedOverTheProtocol();
        return available;
    }
    TrayAreaIcon* createIcon(QObject* owner) override { return new QtTrayAreaIcon(owner); }
};

} // namespace

TrayArea& trayArea() {
    static QtTrayArea real;
    TrayArea* installed = installedSeams().trayArea;
    return installed != nullptr ? *installed : real;
}

} // namespace tickwell
