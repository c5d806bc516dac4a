#pragma once

// A store for fuzz targets: one file per process in a private folder (in memory where the
// system offers one), emptied before each input.

#include "settings/StoreDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace fuzzing {

inline std::filesystem::path privateFolder() {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "tickwell-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::abort();
    }
    return pattern;
}

// Removes every key and value below both roots.
inline void empty(tickwell::StoreDatabase& db) {
    db.transaction([&] {
        for (const tickwell::Root root :
             {tickwell::Root::LocalMachine, tickwell::Root::CurrentUser}) {
            const tickwell::KeyId key = db.rootKey(root);
            for (const auto& subkey : db.subkeys(key)) {
                db.deleteKeyTree(subkey.id);
            }
            for (const auto& value : db.values(key)) {
                db.deleteValue(key, value.name);
            }
        }
    });
}

} // namespace fuzzing
