#include "platform/TrayArea.h"

#include "platform/Seams.h"

#include <QCursor>
#include <QSystemTrayIcon>

namespace tickwell {

namespace {

// Qt's tray icon reports a left press as Trigger, the second press of a double click as
// DoubleClick and a right press as Context. It is given no context menu of its own: the tray
// module opens the menu itself, at the cursor.
class QtTrayAreaIcon final : public TrayAreaIcon {
public:
    explicit QtTrayAreaIcon(QObject* owner) : TrayAreaIcon(owner) {
        connect(&icon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    switch (reason) {
                    case QSystemTrayIcon::Trigger:
                        emit leftPressed();
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

private:
    QSystemTrayIcon icon_;
};

class QtTrayArea final : public TrayArea {
public:
    bool isAvailable() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
    TrayAreaIcon* createIcon(QObject* owner) override { return new QtTrayAreaIcon(owner); }
};

} // namespace

TrayArea& trayArea() {
    static QtTrayArea real;
    TrayArea* installed = installedSeams().trayArea;
    return installed != nullptr ? *installed : real;
}

} // namespace tickwell
