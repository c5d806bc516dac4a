#include "PrivateDirs.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <sys/stat.h>

namespace tickwell::test {

namespace {

QString makeFolder(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0) {
        throw std::runtime_error("cannot create test folder " + path.toStdString());
    }
    return path;
}

} // namespace

PrivateDirs::PrivateDirs() {
    QByteArray base = qgetenv("TMPDIR");
    if (base.isEmpty()) {
        base = "/tmp";
    }
    QByteArray pattern = base + "/tickwell-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a private test folder under " + base.toStdString());
    }
    root_ = QFile::decodeName(pattern);
    const QString home = makeFolder(root_ + QStringLiteral("/home"));
    const struct {
        const char* variable;
        QString path;
    } folders[] = {
        {"HOME", home},
        {"XDG_CONFIG_HOME", makeFolder(home + QStringLiteral("/.config"))},
        {"XDG_DATA_HOME", makeFolder(home + QStringLiteral("/.local"))},
        {"XDG_CACHE_HOME", makeFolder(home + QStringLiteral("/.cache"))},
        {"XDG_RUNTIME_DIR", makeFolder(root_ + QStringLiteral("/runtime"))},
    };
    for (const auto& folder : folders) {
        qputenv(folder.variable, QFile::encodeName(folder.path));
    }
    // A folder named by a test run outside this one must not leak in.
    qunsetenv("TICKWELL_CONFIG_DIR");
}

PrivateDirs::~PrivateDirs() {
    if (qEnvironmentVariableIsEmpty("TICKWELL_KEEP_TEST_DIRS")) {
        QDir(root_).removeRecursively();
    } else {
        std::fprintf(stderr, "test folder kept: %s\n", qPrintable(root_));
    }
}

} // namespace tickwell::test
