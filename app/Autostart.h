#pragma once

// The autostart switch: an entry in the desktop's autostart folder that makes the desktop start
// the program at log-on. It lives in $XDG_CONFIG_HOME/autostart (~/.config/autostart when the
// variable is unset) as tickwell2.desktop, and names the executable by its full path.

#include <QByteArray>
#include <QString>

namespace tickwell::autostart {

// Where the entry lives.
QString entryPath();

bool entryExists();

// The entry's contents for the executable at `executablePath` (a valid desktop entry whose Exec
// line quotes and escapes the path).
QByteArray entryText(const QString& executablePath);

// Writes the entry for `executablePath`, creating the folder if needed; the file is replaced as
// a whole or not at all. Throws std::runtime_error with the reason when it cannot be written.
void writeEntry(const QString& executablePath);

// Removes the entry, and nothing else in the folder. Throws std::runtime_error when an entry
// that exists cannot be removed.
void removeEntry();

// The full path of the running executable.
QString runningExecutable();

} // namespace tickwell::autostart
