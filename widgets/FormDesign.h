#pragma once

// What every form shares of the design: the window font, and the size of a tab's inner area,
// which the controls' design positions on the main window's tabs refer to.

#include <QFont>
#include <QSize>

namespace tickwell::design {

// The inner area of a tab at the main window's design size.
inline constexpr QSize tabPageSize{339, 348};

// The windows' font: DejaVu Sans (fonts-dejavu-core), slightly narrowed so that every caption
// fits the control sizes of the design.
QFont formFont();

} // namespace tickwell::design
