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

DisplayProblem displayProblem(const SessionEnvironment& environment,
                              const std::function<bool()>& xServerAnswers) {
    if (!environment.qtQpaPlatform.isEmpty()) {
        return DisplayProblem::None;
    }
    const bool wayland =
        !environment.waylandDisplay.isEmpty() || environment.sessionType == "wayland";
    if (wayland) {
        return !environment.display.isEmpty() && xServerAnswers() ? DisplayProblem::None
                                                                  : DisplayProblem::NeedsXServer;
    }
    return environment.display.isEmpty() ? DisplayProblem::NoDisplay : DisplayProblem::None;
}

bool choosePlatformBeforeStart() {
    if (!wantsXWayland(SessionEnvironment::current())) {
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

} // namespace tickwell
