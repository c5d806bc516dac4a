#include "platform/PlatformChoice.h"

#include <QtGlobal>

namespace tickwell {

SessionEnvironment SessionEnvironment::current() {
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"),
            qgetenv("DISPLAY")};
}

bool wantsXWayland(const SessionEnvironment& environment) {
    const bool wayland =
        !environment.waylandDisplay.isEmpty() || environment.sessionType == "wayland";
    // Without an X display the X platform could not start at all; Qt then picks its own.
    return wayland && environment.qtQpaPlatform.isEmpty() && !environment.display.isEmpty();
}

bool noDisplayAtAll(const SessionEnvironment& environment) {
    return environment.display.isEmpty() && environment.waylandDisplay.isEmpty() &&
           environment.sessionType != "wayland" && environment.qtQpaPlatform.isEmpty();
}

bool choosePlatformBeforeStart() {
    if (!wantsXWayland(SessionEnvironment::current())) {
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

} // namespace tickwell
