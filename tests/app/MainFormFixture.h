#pragma once

// A main window started on a store of the test's own: a fresh store folder per test, and the
// test's fakes in place of the outside world (TestSeams.h): scripted dialogs, a clock and timers
// that stand still, a fixed screen, a notification area of its own, a shell that opens nothing,
// a silent sound and a window system of the test's choosing.

#include "TestSeams.h"
#include "app/HelpPage.h"
#include "app/MainForm.h"
#include "reminders/RemindersPage.h"
#include "slideshow/SlideshowPage.h"
#include "tasks/TasksPage.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

class SettingsStore;

namespace tickwell::test {

class MainFormFixture : public ::testing::Test {
protected:
    MainFormFixture();
    ~MainFormFixture() override;

    // Writes the layout a first start creates, then lets `change` alter it through an accessor
    // on the per-machine root.
    void prepareStore(const std::function<void(SettingsStore&)>& change = {});
    // Creates the main window, which runs its start-up.
    TMainForm& startForm();
    // The store folder of this test.
    QString storeFolder() const { return storeDir_.path(); }
    // Every key and value of the store file, as "path" -> "name=type:bytes" lines.
    std::vector<std::string> storeContents() const;

    // The pages of the main window.
    RemindersPage& reminders() const;
    TasksPage& tasks() const;
    SlideshowPage& images() const;
    HelpPage& help() const;

    QTemporaryDir storeDir_;
    TestSeams seams;
    ScriptedDialogs& dialogs = seams.dialogs;
    TestClock& clock = seams.clock;
    TestTimeline& timeline = seams.timeline;
    FakeScreen& screen = seams.screen;
    FakeTrayArea& trayArea = seams.trayArea;
    RecordingShell& shell = seams.shell;
    CountingSound& sound = seams.sound;
    FakeWindowSystem& windowSystem = seams.windowSystem;
    std::unique_ptr<TMainForm> form;
};

} // namespace tickwell::test
