#pragma once

// The whole outside world of the program replaced by the test's fakes, put in place together
// while this object lives: scripted dialogs, a clock that stands still, a fixed screen, a
// notification area of the test's own, a shell that opens nothing, a silent counting sound, a
// window system of the test's choosing, and manual time moved by the timeline. What was in
// place before (the strict seams of the test main) comes back afterwards.

#include "CountingSound.h"
#include "FakeScreen.h"
#include "FakeTrayArea.h"
#include "FakeWindowSystem.h"
#include "RecordingShell.h"
#include "ScriptedDialogs.h"
#include "TestClock.h"
#include "TestTimeline.h"
#include "platform/Seams.h"

#include <memory>

namespace tickwell::test {

class TestSeams {
public:
    TestSeams();

    ScriptedDialogs dialogs;
    TestClock clock;
    FakeScreen screen;
    FakeTrayArea trayArea;
    RecordingShell shell;
    CountingSound sound;
    FakeWindowSystem windowSystem;

private:
    SeamsGuard guard_;

public:
    TestTimeline timeline{&clock};
};

// Puts seams in place for the whole test process that fail the running test on any use: a test
// that forgot a seam fails at once instead of reaching the real desktop or waiting for a click.
// Time is manual, so no timer fires by itself. For the test main.
class StrictSeams {
public:
    StrictSeams();
    ~StrictSeams();

    StrictSeams(const StrictSeams&) = delete;
    StrictSeams& operator=(const StrictSeams&) = delete;

private:
    struct Fakes;
    std::unique_ptr<Fakes> fakes_;
    std::unique_ptr<SeamsGuard> guard_;
};

} // namespace tickwell::test
