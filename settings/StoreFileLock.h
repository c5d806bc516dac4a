#pragma once

// The lock that keeps recovery from moving a store file that is in use. Every connection to a
// store holds it shared for as long as it lives; moving a damaged file aside needs it exclusive,
// so it happens only while no other connection, in this process or another, has the file open,
// and the file is examined again under it. It lives in its own file beside the store
// ("settings.db.lock"), which is never moved, owner-only and never reached through a link.
// The program's single-instance lock is a lock file of the same kind beside the store.

#include <chrono>
#include <filesystem>

namespace tickwell {

// How often a lock is tried again while another process holds it (recovering the store).
inline constexpr std::chrono::milliseconds lockRetryPause{5};

class StoreFileLock {
public:
    // Opens (creating it owner-only when missing) the lock file `lockFile`, without taking the
    // lock. Only a regular file of this user's counts: a link under its name is not followed, and
    // a pipe, a device or another user's file is refused. Throws StoreDatabaseError when it can be
    // neither opened nor created, or is refused.
    explicit StoreFileLock(const std::filesystem::path& lockFile);
    // The lock file of the store file `storeFile`: the same name with ".lock" added.
    static std::filesystem::path besideStore(const std::filesystem::path& storeFile);
    ~StoreFileLock();
    StoreFileLock(StoreFileLock&& other) noexcept;
    StoreFileLock& operator=(StoreFileLock&&) = delete;
    StoreFileLock(const StoreFileLock&) = delete;
    StoreFileLock& operator=(const StoreFileLock&) = delete;

    // Takes the lock shared, waiting until `deadline` for an exclusive holder to let go.
    // False when the deadline passed first.
    bool shareUntil(std::chrono::steady_clock::time_point deadline);
    // Takes the lock exclusive if nobody else holds it at all; never waits. When it is false,
    // errno is EWOULDBLOCK when another holder was the reason.
    bool tryExclusive();
    void release();

private:
    int fd_ = -1;
};

} // namespace tickwell
