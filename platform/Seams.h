#pragma once

// Every way the program reaches the world outside it, in one place: the dialogs, the clock, the
// notification area, the screen, the shell, the sound and the window system, and whether time
// runs by itself. The program asks dialogs(), currentClock(), trayArea(), screenInfo(),
// shell(), notificationSound() and windowSystem() for them; tests put fakes in their place,
// all at once, through one guard.

namespace tickwell {

class Clock;
class Dialogs;
class NotificationSound;
class ScreenInfo;
class Shell;
class TrayArea;
class WindowSystem;

struct Seams {
    // Each one left null means the real one.
    Dialogs* dialogs = nullptr;
    Clock* clock = nullptr;
    TrayArea* trayArea = nullptr;
    ScreenInfo* screen = nullptr;
    Shell* shell = nullptr;
    NotificationSound* sound = nullptr;
    WindowSystem* windowSystem = nullptr;
    // While on, no interval timer fires by itself: a test moves time (IntervalTimer.h).
    bool manualTime = false;
};

// The seams in place now.
const Seams& installedSeams();

// Puts a whole set of seams in place while it lives, and the set before it back afterwards.
class SeamsGuard {
public:
    explicit SeamsGuard(const Seams& seams);
    ~SeamsGuard();

    SeamsGuard(const SeamsGuard&) = delete;
    SeamsGuard& operator=(const SeamsGuard&) = delete;

private:
    Seams previous_;
};

} // namespace tickwell
