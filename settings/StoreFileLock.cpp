#include "settings/StoreFileLock.h"

#include "settings/PrivateFiles.h"
#include "settings/StoreDatabase.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace tickwell {

namespace {

int lockRetryingInterrupts(int fd, int operation) {
    int result = 0;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

} // namespace

StoreFileLock::StoreFileLock(const std::filesystem::path& lockFile) {
    // Non-blocking: a pipe planted under the lock's name must not hold the opening.
    fd_ = ::open(lockFile.c_str(),
                 O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
    if (fd_ < 0) {
        throw StoreDatabaseError("settings store: cannot open the lock file " + lockFile.string() +
                                 ": " + std::strerror(errno));
    }
    if (!ownFileMadePrivate(fd_)) {
        ::close(fd_);
        fd_ = -1;
        throw StoreDatabaseError("settings store: the lock file " + lockFile.string() +
                                 " is not a file of this user's");
    }
}

std::filesystem::path StoreFileLock::besideStore(const std::filesystem::path& storeFile) {
    std::filesystem::path lockFile = storeFile;
    lockFile += ".lock";
    return lockFile;
}

StoreFileLock::~StoreFileLock() {
    if (fd_ >= 0) {
        ::close(fd_); // closing lets go of the lock as well
    }
}

StoreFileLock::StoreFileLock(StoreFileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

bool StoreFileLock::shareUntil(std::chrono::steady_clock::time_point deadline) {
    while (lockRetryingInterrupts(fd_, LOCK_SH | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(lockRetryPause);
    }
    return true;
}

bool StoreFileLock::tryExclusive() {
    return lockRetryingInterrupts(fd_, LOCK_EX | LOCK_NB) == 0;
}

void StoreFileLock::release() {
    lockRetryingInterrupts(fd_, LOCK_UN);
}

} // namespace tickwell
