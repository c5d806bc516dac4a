#include "TempFolder.h"

#include "settings/StoreDatabase.h"

ScopedConfigFolder::ScopedConfigFolder(const std::filesystem::path& folder) {
    if (const char* old = std::getenv("TICKWELL_CONFIG_DIR")) {
        hadValue_ = true;
        oldValue_ = old;
    }
    setenv("TICKWELL_CONFIG_DIR", folder.c_str(), 1);
    tickwell::StoreDatabase::resetDefaultDatabase();
}

ScopedConfigFolder::~ScopedConfigFolder() {
    if (hadValue_) {
        setenv("TICKWELL_CONFIG_DIR", oldValue_.c_str(), 1);
    } else {
        unsetenv("TICKWELL_CONFIG_DIR");
    }
    tickwell::StoreDatabase::resetDefaultDatabase();
}
