#pragma once

#include <QByteArray>
#include <functional>

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

// Why the program cannot show its windows in this session, found before the toolkit starts
// (which would end the process with an abort instead).
enum class DisplayProblem {
    None,         // an X display to run on, or a platform the user chose (QT_QPA_PLATFORM)
    NoDisplay,    // neither an X display (DISPLAY) nor a Wayland one is named
    NeedsXServer, // a Wayland session without an X server that answers (XWayland)
};

// `xServerAnswers` is asked only in a Wayland session that names an X display: the windows place
// themselves on the screen, which only the X server lets them do.
DisplayProblem displayProblem(const SessionEnvironment& environment,
                              const std::function<bool()>& xServerAnswers);

// Whether the X display that DISPLAY names accepts a connection. Built without X11 support,
// it leaves the answer to the toolkit (true).
bool xServerAnswers();

// Sets QT_QPA_PLATFORM=xcb when wantsXWayland() holds for this process; call before the
// application object is created. Returns whether it did.
bool choosePlatformBeforeStart();

} // namespace tickwell
