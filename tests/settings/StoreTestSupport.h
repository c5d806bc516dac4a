#pragma once

// A fresh store in a private folder for each test, with a few helpers to look at it raw.

#include "TempFolder.h"
#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

class FreshStore : public ::testing::Test {
protected:
    TempFolder folder;
    std::shared_ptr<tickwell::StoreDatabase> db =
        tickwell::StoreDatabase::openFile(folder / "settings.db");
    SettingsStore store{db};

    // The key at an absolute path of the per-machine root; fails the test when it is missing.
    tickwell::KeyId key(std::string_view path) {
        const auto id = db->findKey(db->rootKey(tickwell::Root::LocalMachine), path);
        EXPECT_TRUE(id) << path;
        return id.value_or(0);
    }

    void writeRaw(std::string_view path, std::string_view name, std::uint32_t type,
                  std::vector<std::uint8_t> data) {
        ASSERT_TRUE(db->setValue(key(path), name, type, data));
    }
};

// Runs `action` and checks that it throws StoreError with exactly `text`.
template <typename Action> void expectStoreError(Action action, const std::string& text) {
    try {
        action();
        ADD_FAILURE() << "no error, expected: " << text;
    } catch (const StoreError& e) {
        EXPECT_EQ(std::string(e.what()), text);
    }
}
