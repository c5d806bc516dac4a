#include "settings/StoreRecovery.h"

#include "settings/PrivateFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iterator>
#include <mutex>
#include <string>
#include <system_error>
#include <unistd.h>

namespace tickwell {

namespace {

std::mutex noticeMutex;
std::optional<StoreRecoveryNotice> pendingNotice;

// The files SQLite keeps beside a database.
constexpr const char* companions[] = {"-wal", "-shm", "-journal"};

std::filesystem::path withSuffix(const std::filesystem::path& file, const std::string& suffix) {
    std::filesystem::path result = file;
    result += suffix;
    return result;
}

// Renames `from` to `to` unless `to` exists: a file already there is never replaced. 0, or the
// errno of the failure (EEXIST when `to` exists).
int renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // A file system without that kind of rename: a hard link is made only where nothing is.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    return ::unlink(from.c_str()) == 0 ? 0 : errno;
}

} // namespace

std::optional<StoreRecoveryNotice> takeStoreRecoveryNotice() {
    std::lock_guard lock(noticeMutex);
    auto notice = std::move(pendingNotice);
    pendingNotice.reset();
    return notice;
}

std::filesystem::path damagedFileName(const std::filesystem::path& file,
                                      std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = std::string(".damaged-") + stamp;
    std::filesystem::path candidate = withSuffix(file, base);
    const auto taken = [](const std::filesystem::path& name) {
        std::error_code ec;
        return std::filesystem::exists(std::filesystem::symlink_status(name, ec)) ||
               std::any_of(std::begin(companions), std::end(companions), [&](const char* c) {
                   return std::filesystem::exists(
                       std::filesystem::symlink_status(withSuffix(name, c), ec));
               });
    };
    for (int n = 2; taken(candidate); ++n) {
        candidate = withSuffix(file, base + "-" + std::to_string(n));
    }
    return candidate;
}

StoreRecoveryNotice moveDamagedFileAside(const std::filesystem::path& file) {
    const auto when = std::chrono::system_clock::now();
    // A name found free may be taken before the rename; then the next free one is tried.
    constexpr int attempts = 100;
    std::filesystem::path target;
    int error = EEXIST;
    for (int i = 0; i < attempts && error == EEXIST; ++i) {
        target = damagedFileName(file, when);
        error = renameWithoutReplacing(file, target);
    }
    if (error != 0) {
        throw StoreDatabaseError("settings store: the damaged file " + file.string() +
                                 " cannot be moved aside: " + std::strerror(error));
    }
    // The companions belong to the damaged file; left in place they would be taken for part of
    // the fresh store.
    for (const char* companion : companions) {
        const auto from = withSuffix(file, companion);
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(from, ec))) {
            if (const int failed = renameWithoutReplacing(from, withSuffix(target, companion))) {
                throw StoreDatabaseError("settings store: " + from.string() +
                                         " cannot be moved aside: " + std::strerror(failed));
            }
        }
    }
    // What it holds is the owner's alone, as it was meant to be from the start.
    try {
        makeFilePrivate(target, WhenMissing::Skip);
        for (const char* companion : companions) {
            makeFilePrivate(withSuffix(target, companion), WhenMissing::Skip);
        }
    } catch (const PrivateFileError&) {
        // Only rights were to be taken away; the file has been moved all the same.
    }
    StoreRecoveryNotice notice{file, target, when};
    std::lock_guard lock(noticeMutex);
    pendingNotice = notice;
    return notice;
}

} // namespace tickwell
