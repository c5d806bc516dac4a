#pragma once

// The autostart switch: an entry in the desktop's autostart folder that makes the desktop start
// the program at log-on. It lives in $XDG_CONFIG_HOME/autostart (~/.config/autostart when the
// variable is unset) as tickwell2.desktop, and names the executable by its full path.

#include <QByteArray>
#include <QString>

namespace tickwell::autostart {

// Where the entry lives.
QString entryPath();

// Whether autostart is on: a regular file at the entry's path (a link there does not count).
bool entryExists();

// The entry's contents for the executable at `executablePath` (a valid desktop entry whose Exec
// line quotes and escapes the path).
QByteArray entryText(const QString& executablePath);

// Writes the entry for `executablePath`, creating the folder if needed; the file is replaced as
// a whole or not at all, and a link at its path is replaced, not followed. Throws
// std::runtime_error with the reason when it cannot be written, also for a path with a control
// character that an entry cannot hold.
void writeEntry(const QString& executablePath);

// Removes the entry (or a link in its place), and nothing else in the folder. Throws
// std::runtime_error when it cannot be removed.
void removeEntry();

// The full path of the running executable.
QString runningExecutable();

} // namespace tickwell::autostart
