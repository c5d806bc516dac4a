#pragma once

#include "settings/StoreFileLock.h"

#include <QString>
#include <optional>

namespace tickwell {

// The single-instance lock: a named object that exists exactly as long as the process that took
// it first lives, also when that process crashes. It is an advisory lock (flock) on a file beside
// the settings store it guards (so that two copies on one store exclude each other, whatever
// else their environments say), which the kernel releases when the process ends in any way. The
// file is the user's own (mode 0600); a link under its name is never followed.
class InstanceLock {
public:
    enum class Result {
        Acquired,      // this process holds the lock now, until it ends or the lock is destroyed
        HeldElsewhere, // another living process holds it
        Unavailable    // the lock file could not be made or locked; nothing is held
    };

    // A lock of this name (e.g. "TickwellMutex"), not yet taken.
    explicit InstanceLock(QString name);
    // Releases the lock if held.
    ~InstanceLock();

    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries once to take the lock, never waiting. Taking a lock already held here is Acquired.
    Result tryAcquire();
    // Whether this object holds the lock.
    bool held() const { return lock_.has_value(); }
    // Releases the lock now (no-op when not held).
    void release();

    // The file that carries the lock of `name`, chosen from the environment as described above.
    static QString lockFilePath(const QString& name);

private:
    QString name_;
    std::optional<StoreFileLock> lock_;
};

} // namespace tickwell
