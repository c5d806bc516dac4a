// Where the user's store lives, and the one store object the program shares.

#include "settings/StoreDatabase.h"

#include <cstdlib>
#include <mutex>
#include <pwd.h>
#include <unistd.h>

namespace tickwell {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::filesystem::path homeFolder() {
    const std::string home = environment("HOME");
    if (!home.empty()) {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) {
        return entry->pw_dir;
    }
    throw StoreDatabaseError("settings store: the home folder is unknown");
}

std::mutex defaultMutex;
std::shared_ptr<StoreDatabase> defaultStore;

} // namespace

std::filesystem::path StoreDatabase::defaultFolder() {
    if (const std::string dir = environment("TICKWELL_CONFIG_DIR"); !dir.empty()) {
        return dir;
    }
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    if (const std::filesystem::path xdg = environment("XDG_CONFIG_HOME"); xdg.is_absolute()) {
        return xdg / "tickwell";
    }
    return homeFolder() / ".config" / "tickwell";
}

std::filesystem::path StoreDatabase::defaultFilePath() {
    return defaultFolder() / "settings.db";
}

std::shared_ptr<StoreDatabase> StoreDatabase::defaultDatabase() {
    std::lock_guard lock(defaultMutex);
    if (!defaultStore) {
        defaultStore = openFile(defaultFilePath(), interfaceBusyWait);
    }
    return defaultStore;
}

void StoreDatabase::resetDefaultDatabase() {
    std::lock_guard lock(defaultMutex);
    defaultStore.reset();
}

} // namespace tickwell
