#include "platform/PlainWindowSystem.h"

#include "platform/Seams.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tickwell {

std::optional<QMargins> PlainWindowSystem::frameExtents(const QWidget& /*window*/) const {
    return std::nullopt;
}

WindowSystem::ScreenPicture PlainWindowSystem::grabScreen(const QRect& area) const {
    QScreen* screen = QGuiApplication::screenAt(area.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return {};
    }
    const QRect onScreen = area.intersected(screen->geometry());
    if (onScreen.isEmpty()) {
        return {};
    }
    // The whole screen (window 0), in the screen's own coordinates.
    const QPoint origin = screen->geometry().topLeft();
    return {screen->grabWindow(0, onScreen.x() - origin.x(), onScreen.y() - origin.y(),
                               onScreen.width(), onScreen.height()),
            onScreen};
}

WindowSystem& windowSystem() {
    WindowSystem* installed = installedSeams().windowSystem;
    return installed != nullptr ? *installed : nativeWindowSystem();
}

} // namespace tickwell
