#include "app/Autostart.h"

#include "app/MainFormTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <stdexcept>

namespace tickwell::autostart {

namespace {

constexpr char entryFileName[] = "tickwell2.desktop";

// An argument of an Exec line: always quoted; inside the quotes '"', '`', '$' and '\' take a
// backslash, '%' is doubled (it starts a field code), and then the string escapes of every
// desktop entry value apply, which double each backslash again and spell out control
// characters.
QString quotedExecArgument(const QString& argument) {
    QString quoted;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
            quoted += u'\\';
        } else if (c == u'%') {
            quoted += u'%';
        }
        quoted += c;
    }
    QString escaped;
    for (const QChar c : quoted) {
        if (c == u'\\') {
            escaped += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            escaped += QStringLiteral("\\n");
        } else if (c == u'\t') {
            escaped += QStringLiteral("\\t");
        } else if (c == u'\r') {
            escaped += QStringLiteral("\\r");
        } else {
            escaped += c;
        }
    }
    return u'"' + escaped + u'"';
}

// Control characters that a desktop entry cannot hold, even escaped: all but tab, line feed and
// carriage return.
bool unwritable(QChar c) {
    return c.category() == QChar::Other_Control && c != u'\t' && c != u'\n' && c != u'\r';
}

std::runtime_error failure(const char* text, const QString& path) {
    return std::runtime_error(
        QString::fromUtf8(text).arg(QDir::toNativeSeparators(path)).toStdString());
}

} // namespace

QString entryPath() {
    // The user's configuration folder: $XDG_CONFIG_HOME, or ~/.config when it is unset.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config + QStringLiteral("/autostart/") + QLatin1String(entryFileName);
}

// Only a regular file there is an entry of the program's: a link (dangling or not) is not.
bool entryExists() {
    const QFileInfo info(entryPath());
    return !info.isSymLink() && info.isFile();
}

QByteArray entryText(const QString& executablePath) {
    namespace t = texts::mainForm;
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=") + QString::fromUtf8(t::autostartEntryName) + u'\n';
    text += QStringLiteral("Comment=") + QString::fromUtf8(t::autostartEntryComment) + u'\n';
    text += QStringLiteral("Exec=") + quotedExecArgument(executablePath) + u'\n';
    text += QStringLiteral("Terminal=false\n");
    text += QStringLiteral("StartupNotify=false\n");
    return text.toUtf8();
}

void writeEntry(const QString& executablePath) {
    const QString path = entryPath();
    if (std::any_of(executablePath.cbegin(), executablePath.cend(), unwritable) ||
        !QDir().mkpath(QFileInfo(path).path())) {
        throw failure(texts::mainForm::autostartWriteFailed, path);
    }
    // A link under the entry's name is replaced by the entry itself, never written through.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
        throw failure(texts::mainForm::autostartWriteFailed, path);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw failure(texts::mainForm::autostartWriteFailed, path);
    }
    file.write(entryText(executablePath));
    if (!file.commit()) {
        throw failure(texts::mainForm::autostartWriteFailed, path);
    }
}

void removeEntry() {
    const QString path = entryPath();
    const QFileInfo info(path);
    if ((info.exists() || info.isSymLink()) && !QFile::remove(path)) {
        throw failure(texts::mainForm::autostartRemoveFailed, path);
    }
}

QString runningExecutable() {
    return QCoreApplication::applicationFilePath();
}

} // namespace tickwell::autostart
