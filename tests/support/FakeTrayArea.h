#pragma once

#include "platform/TrayArea.h"

#include <QIcon>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <vector>

namespace tickwell::test {

// An icon of the fake notification area: it keeps what the program gave it and lets a test
// press on it.
class FakeTrayAreaIcon final : public TrayAreaIcon {
public:
    using TrayAreaIcon::TrayAreaIcon;

    void setIcon(const QIcon& icon) override { icon_ = icon; }
    void setToolTip(const QString& text) override { toolTip_ = text; }
    void setVisible(bool visible) override { visible_ = visible; }
    void setMenu(QMenu* menu) override { menu_ = menu; }

    QIcon icon() const { return icon_; }
    QString toolTip() const { return toolTip_; }
    bool isVisible() const { return visible_; }
    QMenu* menu() const { return menu_; }

    // The mouse on the icon, as the notification area reports it. A double click is a press
    // followed by the double-click report that replaces the second press.
    void pressLeft() { emit leftPressed(); }
    void doubleClick() {
        emit leftPressed();
        emit leftDoubleClicked();
    }
    void pressRight(QPoint cursor) { emit rightPressed(cursor); }
    // A host of the StatusNotifierItem protocol asks for the window (its click).
    void activate() { emit activated(); }

private:
    QIcon icon_;
    QString toolTip_;
    bool visible_ = false;
    QPointer<QMenu> menu_;
};

// A notification area of the test's own, present unless the test takes it away.
class FakeTrayArea final : public TrayArea {
public:
    FakeTrayArea() = default;

    FakeTrayArea(const FakeTrayArea&) = delete;
    FakeTrayArea& operator=(const FakeTrayArea&) = delete;

    bool isAvailable() const override { return available_; }
    TrayAreaIcon* createIcon(QObject* owner) override;

    void setAvailable(bool available) { available_ = available; }
    // The icon created last (the main window's, in a form test); fails the test when none is.
    FakeTrayAreaIcon& icon() const;

private:
    bool available_ = true;
    std::vector<QPointer<FakeTrayAreaIcon>> icons_;
};

} // namespace tickwell::test
