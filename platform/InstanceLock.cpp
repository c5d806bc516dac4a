#include "platform/InstanceLock.h"

#include "settings/StoreDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tickwell {

namespace {

// Makes the store's folder, owner-only, when it does not exist yet (its parents as usual).
bool makeFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    return std::filesystem::is_directory(folder, error);
}

} // namespace

InstanceLock::InstanceLock(QString name) : name_(std::move(name)) {}

InstanceLock::~InstanceLock() {
    release();
}

QString InstanceLock::lockFilePath(const QString& name) {
    try {
        const std::filesystem::path file =
            StoreDatabase::defaultFolder() /
            QFile::encodeName(name + QStringLiteral(".lock")).toStdString();
        return QFile::decodeName(QByteArray::fromStdString(file.string()));
    } catch (const StoreDatabaseError&) {
        return {}; // no home folder: there is no store to guard either
    }
}

InstanceLock::Result InstanceLock::tryAcquire() {
    if (held()) {
        return Result::Acquired;
    }
    const QString lockFile = lockFilePath(name_);
    if (lockFile.isEmpty() ||
        !makeFolder(QFile::encodeName(QFileInfo(lockFile).path()).toStdString())) {
        return Result::Unavailable;
    }
    const QByteArray path = QFile::encodeName(lockFile);
    // Close-on-exec: a program started from here (the browser) must not keep the lock alive.
    // No-follow: a link planted under the lock's name must not redirect the file. Non-blocking:
    // a pipe planted there must not hold the start-up.
    const int fd =
        ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0) {
        return Result::Unavailable;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid() ||
        ((info.st_mode & 0077) != 0 && ::fchmod(fd, 0600) != 0)) {
        ::close(fd);
        return Result::Unavailable;
    }
    int status = 0;
    do {
        status = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (status != 0 && errno == EINTR);
    if (status != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Result::HeldElsewhere : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Acquired;
}

void InstanceLock::release() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace tickwell
