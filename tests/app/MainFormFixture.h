#pragma once

// A main window started on a store of the test's own: a fresh store folder per test, scripted
// dialogs, a clock and timers that stand still, a fixed screen, a notification area of its own
// and a shell that opens nothing.

#include "FakeScreen.h"
#include "FakeTrayArea.h"
#include "MainForm.h"
#include "RecordingShell.h"
#include "ScriptedDialogs.h"
#include "TestClock.h"
#include "TestTimeline.h"

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

    QTemporaryDir storeDir_;
    ScriptedDialogs dialogs;
    TestClock clock;
    TestTimeline timeline{&clock};
    FakeScreen screen;
    FakeTrayArea trayArea;
    RecordingShell shell;
    std::unique_ptr<TMainForm> form;
};

} // namespace tickwell::test
