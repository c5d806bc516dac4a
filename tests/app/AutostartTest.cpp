// The autostart entry as the desktop reads it: a valid desktop entry whose Exec line gives back
// the executable's path exactly, whatever characters the path holds.

#include "app/Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace tickwell::test {
namespace {

QByteArray execLine(const QByteArray& entry) {
    for (const QByteArray& line : entry.split('\n')) {
        if (line.startsWith("Exec=")) {
            return line.mid(5);
        }
    }
    return {};
}

TEST(AutostartEntry, ExecQuotesThePathAndEscapesWhatTheDesktopWouldReadOtherwise) {
    EXPECT_EQ(execLine(autostart::entryText(QStringLiteral("/usr/bin/tickwell"))),
              "\"/usr/bin/tickwell\"");
    EXPECT_EQ(execLine(autostart::entryText(QStringLiteral("/home/анна/my apps/tickwell"))),
              QStringLiteral("\"/home/анна/my apps/tickwell\"").toUtf8());
    // Quote, backtick, dollar and backslash take a backslash inside the quotes; a percent sign
    // is doubled; then every backslash is doubled once more by the string escapes.
    EXPECT_EQ(execLine(autostart::entryText(QStringLiteral("/opt/a\"b`c$d\\e%f/tickwell"))),
              "\"/opt/a\\\\\"b\\\\`c\\\\$d\\\\\\\\e%%f/tickwell\"");
}

// The desktop's own checker accepts what the program writes, also for an awkward path.
TEST(AutostartEntry, WrittenEntryPassesTheDesktopEntryChecker) {
    const QString checker = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    ASSERT_FALSE(checker.isEmpty()) << "desktop-file-validate is installed with the project";
    for (const QString& path : {QStringLiteral("/usr/bin/tickwell"),
                                QStringLiteral("/opt/my \"apps\"/$x/100%/back\\slash/tickwell")}) {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("tickwell2.desktop"));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(autostart::entryText(path));
        out.close();
        QProcess process;
        process.start(checker, {file});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0)
            << path.toStdString() << ": " << process.readAllStandardOutput().toStdString()
            << process.readAllStandardError().toStdString();
        EXPECT_TRUE(process.readAllStandardOutput().trimmed().isEmpty());
    }
}

// What lies at the entry's path decides whether autostart is on, and a write never goes through
// a link or writes what an entry cannot hold.
TEST(AutostartEntry, OnlyARegularFileIsAnEntryAndLinksAreReplacedNotFollowed) {
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("target.desktop"));
    const QString path = autostart::entryPath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile::remove(path);

    ASSERT_TRUE(QFile::link(target, path)); // dangling
    EXPECT_FALSE(autostart::entryExists());
    autostart::writeEntry(QStringLiteral("/usr/bin/tickwell"));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(autostart::entryExists());
    EXPECT_FALSE(QFileInfo::exists(target)) << "written through the link";

    // A path with a control character that no entry can hold is refused; the entry stays.
    const QByteArray before = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    EXPECT_THROW(autostart::writeEntry(QStringLiteral("/opt/a\x01b/tickwell")), std::runtime_error);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);

    autostart::removeEntry();
    ASSERT_TRUE(QFile::link(target, path));
    autostart::removeEntry();
    EXPECT_FALSE(QFileInfo(path).isSymLink()) << "a link in the entry's place goes when it is off";
}

TEST(AutostartEntry, LivesInTheConfigurationFoldersAutostartFolder) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    EXPECT_EQ(autostart::entryPath(),
              config.path() + QStringLiteral("/autostart/tickwell2.desktop"));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(autostart::entryPath(),
              QDir::homePath() + QStringLiteral("/.config/autostart/tickwell2.desktop"));
    qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
} // namespace tickwell::test
