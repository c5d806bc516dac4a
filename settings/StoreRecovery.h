#pragma once

// Moving a damaged store file aside: it is never overwritten or deleted, only renamed under a
// name that says what happened and when, together with the companion files SQLite keeps beside
// it, so that the user (or a support person) can still look at it.

#include "settings/StoreDatabase.h"

#include <chrono>
#include <filesystem>

namespace tickwell {

// The name a damaged store file gets: "<file>.damaged-YYYYMMDD-HHMMSS" in local time, with
// "-2", "-3", ... added when that name is already taken.
std::filesystem::path damagedFileName(const std::filesystem::path& file,
                                      std::chrono::system_clock::time_point when);

// Renames `file` and its "-wal", "-shm" and "-journal" companions (those that exist) to the
// damaged name, records the process-wide notice and returns it. A rename never replaces a file
// that is already there. The caller holds the store's lock exclusive (StoreFileLock.h). Throws
// StoreDatabaseError when the file cannot be renamed.
StoreRecoveryNotice moveDamagedFileAside(const std::filesystem::path& file);

} // namespace tickwell
