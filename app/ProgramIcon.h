#pragma once

// The program's icon, shown by its windows and its tray icon.

#include <QIcon>

namespace tickwell {

// The icon by its name in the desktop's icon theme, where an installed copy put it (and where the
// desktop entry finds it); without one there, the copies compiled into the program, at every
// size.
QIcon programIcon();

} // namespace tickwell
