#pragma once

// What every form shares of the design: the window font, and the size of a tab's inner area,
// which the controls' design positions on the main window's tabs refer to.

#include <QFont>
#include <QSize>

namespace tickwell::design {

// The title bar that the design counts in a dialog's outer size; the window manager draws it
// outside the window here, so a dialog is as wide as designed and lower by this much.
inline constexpr int dialogTitleBar = 26;

// The inner area of a tab at the main window's design size.
inline constexpr QSize tabPageSize{339, 348};

// The windows' font: DejaVu Sans (fonts-dejavu-core), slightly narrowed so that every caption
// fits the control sizes of the design.
QFont formFont();

// The left edge that centres a control `controlWidth` wide on a window `outerWidth` wide: half
// the window's width less half the control's, rounded to the nearest pixel, a half to the even
// neighbour.
int centredLeft(int outerWidth, int controlWidth);

} // namespace tickwell::design
