#include "platform/InstanceLock.h"

#include "QtPrinters.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

using tickwell::InstanceLock;
using Result = InstanceLock::Result;

namespace {

// Sets an environment variable for the life of the object, then puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<QByteArray> value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) {
            old_ = qgetenv(name);
        }
        set(value);
    }
    ~ScopedVariable() { set(old_); }

private:
    void set(const std::optional<QByteArray>& value) {
        if (value) {
            qputenv(name_, *value);
        } else {
            qunsetenv(name_);
        }
    }
    const char* name_;
    std::optional<QByteArray> old_;
};

// A running copy of the lock holder program.
class Holder {
public:
    explicit Holder(const QString& name, bool startChild = false) {
        QStringList arguments{name};
        if (startChild) {
            arguments << "--start-child";
        }
        process_.start(QStringLiteral(TICKWELL_LOCK_HOLDER), arguments);
    }
    ~Holder() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }

    // Waits until the holder says it holds the lock; the pid of its child (0: none), or -1.
    int waitUntilHeld() {
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(10000)) {
                return -1;
            }
        }
        const QByteArray line = process_.readLine().trimmed();
        if (!line.startsWith("held ")) {
            return -1;
        }
        return line.mid(5).toInt();
    }

    // Ends the holder as a crash would: SIGKILL, no clean-up of its own.
    void crash() {
        process_.kill();
        process_.waitForFinished(10000);
    }

private:
    QProcess process_;
};

TEST(InstanceLock, SecondTryFailsWhileTheFirstHolderLivesAndSucceedsAfterItIsKilled) {
    Holder first("TickwellMutex");
    ASSERT_EQ(first.waitUntilHeld(), 0);

    InstanceLock second("TickwellMutex");
    EXPECT_EQ(second.tryAcquire(), Result::HeldElsewhere);
    EXPECT_FALSE(second.held());

    first.crash();
    EXPECT_EQ(second.tryAcquire(), Result::Acquired);
    EXPECT_TRUE(second.held());
}

TEST(InstanceLock, HolderCannotTakeALockThisProcessHolds) {
    InstanceLock mine("TickwellMutex");
    ASSERT_EQ(mine.tryAcquire(), Result::Acquired);

    QProcess other;
    other.start(QStringLiteral(TICKWELL_LOCK_HOLDER), {"TickwellMutex"});
    ASSERT_TRUE(other.waitForFinished(10000));
    EXPECT_EQ(other.exitCode(), 1);
    EXPECT_EQ(other.readAllStandardOutput().trimmed(), "not held");
}

TEST(InstanceLock, ProgramStartedByTheHolderDoesNotKeepTheLockAfterTheHolderDies) {
    Holder first("TickwellMutex", true);
    const int child = first.waitUntilHeld();
    ASSERT_GT(child, 0);

    first.crash();
    InstanceLock second("TickwellMutex");
    EXPECT_EQ(second.tryAcquire(), Result::Acquired);
    ::kill(child, SIGKILL);
}

TEST(InstanceLock, ReleasedOnDestructionAndOnRelease) {
    {
        InstanceLock first("TickwellMutex");
        ASSERT_EQ(first.tryAcquire(), Result::Acquired);
        EXPECT_EQ(first.tryAcquire(), Result::Acquired) << "taking it again here is no conflict";
        InstanceLock second("TickwellMutex");
        EXPECT_EQ(second.tryAcquire(), Result::HeldElsewhere);
        first.release();
        EXPECT_EQ(second.tryAcquire(), Result::Acquired);
    }
    InstanceLock third("TickwellMutex");
    EXPECT_EQ(third.tryAcquire(), Result::Acquired);
}

TEST(InstanceLock, LocksOfOtherNamesAreIndependent) {
    InstanceLock first("TickwellMutex");
    InstanceLock other("OtherMutex");
    EXPECT_EQ(first.tryAcquire(), Result::Acquired);
    EXPECT_EQ(other.tryAcquire(), Result::Acquired);
}

// Beside the store it guards, whatever the runtime folder: two copies on one store exclude each
// other. The folder and the file are the user's own.
TEST(InstanceLock, FileLivesBesideTheStoreOwnerOnly) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const ScopedVariable run("XDG_RUNTIME_DIR", QFile::encodeName(home.path() + "/run"));
    for (const bool ownFolder : {false, true}) {
        const QString folder = ownFolder ? home.path() + "/store" : home.path() + "/tickwell";
        const ScopedVariable conf("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        const ScopedVariable dir("TICKWELL_CONFIG_DIR",
                                 ownFolder ? std::optional(QFile::encodeName(folder))
                                           : std::nullopt);
        InstanceLock lock("TickwellMutex");
        EXPECT_EQ(lock.tryAcquire(), Result::Acquired);
        EXPECT_EQ(InstanceLock::lockFilePath("TickwellMutex"), folder + "/TickwellMutex.lock");
        namespace fs = std::filesystem;
        EXPECT_EQ(fs::status(folder.toStdString()).permissions(), fs::perms::owner_all);
        EXPECT_EQ(fs::status((folder + "/TickwellMutex.lock").toStdString()).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write);
    }
}

TEST(InstanceLock, LinkPlantedUnderTheLockNameIsNotFollowed) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString target = elsewhere.path() + "/victim";
    const QString planted = InstanceLock::lockFilePath("PlantedMutex");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(planted).path()));
    ASSERT_TRUE(QFile::link(target, planted));

    InstanceLock lock("PlantedMutex");
    EXPECT_EQ(lock.tryAcquire(), Result::Unavailable);
    EXPECT_FALSE(QFile::exists(target));
}

} // namespace
