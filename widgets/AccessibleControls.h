#pragma once

// Makes the program's own controls usable through the accessibility bridge: the spin buttons
// of the numeric fields read and set their position as a value, the web link can be pressed,
// and each top-level window reports what kind of window it is. Call once, after the
// application object exists.

#include <QAccessible>

class QWidget;

namespace tickwell {

void installAccessibleControls();

// The role `window` reports to screen readers (a frame, a dialog, a notification) instead of a
// plain grouping; its name stays its caption, its description its accessible description. Set
// it before the window is first shown.
void setAccessibleWindowRole(QWidget* window, QAccessible::Role role);

} // namespace tickwell
