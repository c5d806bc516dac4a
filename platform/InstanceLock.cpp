#include "platform/InstanceLock.h"

#include "settings/PrivateFiles.h"
#include "settings/StoreDatabase.h"

#include <QFile>
#include <cerrno>
#include <filesystem>
#include <utility>

namespace tickwell {

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
    if (lockFile.isEmpty()) {
        return Result::Unavailable;
    }
    const std::filesystem::path file = QFile::encodeName(lockFile).toStdString();
    try {
        // The store's folder, made as the store makes it, and a lock file of the store's kind.
        createPrivateFolders(file.parent_path());
        StoreFileLock lock(file);
        if (!lock.tryExclusive()) {
            return errno == EWOULDBLOCK ? Result::HeldElsewhere : Result::Unavailable;
        }
        lock_.emplace(std::move(lock));
    } catch (const PrivateFileError&) {
        return Result::Unavailable;
    } catch (const StoreDatabaseError&) {
        return Result::Unavailable;
    }
    return Result::Acquired;
}

void InstanceLock::release() {
    lock_.reset(); // closing the file lets go of the lock
}

} // namespace tickwell
