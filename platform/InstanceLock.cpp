#include "platform/InstanceLock.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace tickwell {

namespace {

bool usableFolder(const QString& path) {
    if (path.isEmpty() || !QDir::isAbsolutePath(path)) {
        return false;
    }
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

// The program's configuration folder, as the settings store finds it.
QString configFolder() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty() || !QDir::isAbsolutePath(home)) {
            return {};
        }
        base = home + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/tickwell");
}

} // namespace

InstanceLock::InstanceLock(QString name) : name_(std::move(name)) {}

InstanceLock::~InstanceLock() {
    release();
}

QString InstanceLock::lockFilePath(const QString& name) {
    const QString fileName = name + QStringLiteral(".lock");
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (usableFolder(runtime)) {
        return runtime + QLatin1Char('/') + fileName;
    }
    const QString config = configFolder();
    if (!config.isEmpty() && QDir().mkpath(config) && usableFolder(config)) {
        return config + QLatin1Char('/') + fileName;
    }
    return QStringLiteral("/tmp/%1-%2.lock").arg(name).arg(::getuid());
}

InstanceLock::Result InstanceLock::tryAcquire() {
    if (held()) {
        return Result::Acquired;
    }
    const QByteArray path = QFile::encodeName(lockFilePath(name_));
    // Close-on-exec: a program started from here (the browser) must not keep the lock alive.
    // No-follow: a link planted under the lock's name must not redirect the file.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
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
