// The autostart entry as the desktop reads it: a valid desktop entry whose Exec line gives back
// the executable's path exactly, whatever characters the path holds.

#include "app/Autostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
