#pragma once

#include <QByteArray>

namespace tickwell {

// The environment variables that decide which window system platform Qt uses.
struct SessionEnvironment {
    QByteArray qtQpaPlatform{};  // QT_QPA_PLATFORM
    QByteArray waylandDisplay{}; // WAYLAND_DISPLAY
    QByteArray sessionType{};    // XDG_SESSION_TYPE
    QByteArray display{};        // DISPLAY

    // The values of this process; unset variables are empty.
    static SessionEnvironment current();
};

// True when the program should run through XWayland: a Wayland session (WAYLAND_DISPLAY set or
// XDG_SESSION_TYPE "wayland"), the user has chosen no platform (QT_QPA_PLATFORM empty), and an
// X display is there to run on (DISPLAY set).
bool wantsXWayland(const SessionEnvironment& environment);

// True when Qt would find no display to show windows on: no X display (DISPLAY) and no Wayland
// display (WAYLAND_DISPLAY) is named, the session is not a Wayland one (whose display Qt finds
// under its usual name), and the user has chosen no platform (QT_QPA_PLATFORM).
bool noDisplayAtAll(const SessionEnvironment& environment);

// Sets QT_QPA_PLATFORM=xcb when wantsXWayland() holds for this process; call before the
// application object is created. Returns whether it did.
bool choosePlatformBeforeStart();

} // namespace tickwell
