#include "platform/PlatformChoice.h"

#include <gtest/gtest.h>

using tickwell::displayProblem;
using tickwell::DisplayProblem;
using tickwell::SessionEnvironment;
using tickwell::wantsXWayland;

namespace {

TEST(PlatformChoice, WaylandSessionsRunThroughXWaylandUnlessTheUserChoseAPlatform) {
    // Wayland seen through WAYLAND_DISPLAY or through the session type.
    EXPECT_TRUE(wantsXWayland({.waylandDisplay = "wayland-0", .display = ":0"}));
    EXPECT_TRUE(wantsXWayland({.sessionType = "wayland", .display = ":1"}));
    // The user's own choice stands, whatever it is.
    EXPECT_FALSE(wantsXWayland({.qtQpaPlatform = "wayland",
                                .waylandDisplay = "wayland-0",
                                .sessionType = "wayland",
                                .display = ":0"}));
    EXPECT_FALSE(wantsXWayland(
        {.qtQpaPlatform = "offscreen", .waylandDisplay = "wayland-0", .display = ":0"}));
}

TEST(PlatformChoice, OtherSessionsAreLeftAlone) {
    EXPECT_FALSE(wantsXWayland({.sessionType = "x11", .display = ":0"}));
    EXPECT_FALSE(wantsXWayland({.sessionType = "tty"}));
    EXPECT_FALSE(wantsXWayland({}));
}

TEST(PlatformChoice, WithoutAnXDisplayQtKeepsItsOwnChoice) {
    EXPECT_FALSE(wantsXWayland({.waylandDisplay = "wayland-0", .sessionType = "wayland"}));
}

TEST(PlatformChoice, TheProblemWithTheDisplayIsFoundBeforeTheToolkitStarts) {
    struct Row {
        SessionEnvironment environment;
        bool xAnswers;
        DisplayProblem problem;
    };
    const Row rows[] = {
        {{}, true, DisplayProblem::NoDisplay},
        {{.sessionType = "tty"}, true, DisplayProblem::NoDisplay},
        {{.display = ":0"}, true, DisplayProblem::None},
        {{.qtQpaPlatform = "offscreen"}, false, DisplayProblem::None},
        {{.qtQpaPlatform = "wayland", .waylandDisplay = "wayland-0"}, false, DisplayProblem::None},
        // A Wayland session runs on its X server (XWayland), which must be named and answer.
        {{.waylandDisplay = "wayland-0", .display = ":1"}, true, DisplayProblem::None},
        {{.waylandDisplay = "wayland-0", .display = ":1"}, false, DisplayProblem::NeedsXServer},
        {{.waylandDisplay = "wayland-0"}, true, DisplayProblem::NeedsXServer},
        {{.sessionType = "wayland"}, true, DisplayProblem::NeedsXServer},
    };
    for (const Row& row : rows) {
        bool asked = false;
        const DisplayProblem problem = displayProblem(row.environment, [&] {
            asked = true;
            return row.xAnswers;
        });
        EXPECT_EQ(problem, row.problem) << row.environment.display.constData();
        // The X server is asked only where a Wayland session names it.
        EXPECT_EQ(asked, !row.environment.waylandDisplay.isEmpty() &&
                             row.environment.qtQpaPlatform.isEmpty() &&
                             !row.environment.display.isEmpty());
    }
}

TEST(PlatformChoice, SetsTheXPlatformInTheEnvironmentBeforeStart) {
    const QByteArray saved[] = {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY")};
    qunsetenv("QT_QPA_PLATFORM");
    qputenv("WAYLAND_DISPLAY", "wayland-1");
    qunsetenv("XDG_SESSION_TYPE");
    qputenv("DISPLAY", ":5");

    EXPECT_TRUE(tickwell::choosePlatformBeforeStart());
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "xcb");
    EXPECT_FALSE(tickwell::choosePlatformBeforeStart()) << "now the platform is chosen";

    const char* names[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DISPLAY"};
    for (int i = 0; i < 4; ++i) {
        if (saved[i].isEmpty()) {
            qunsetenv(names[i]);
        } else {
            qputenv(names[i], saved[i]);
        }
    }
}

} // namespace
