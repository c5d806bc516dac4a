#pragma once

// The main window as designed: its sizes in pixels and the fonts of the Help tab.

#include "widgets/FormDesign.h"

#include <QFont>
#include <QSize>

namespace tickwell::design {

// The window's size as the design gives it, the title bar included.
inline constexpr QSize windowSize{350, 405};
inline constexpr int minimumWindowWidth = 335;
inline constexpr int maximumWindowWidth = 600;
inline constexpr int minimumWindowHeight = 320;

// The program's name on the Help tab: a rounded, casual face, 20 pixels high.
QFont helpTitleFont();
// The line under it: the window's face at 10 points (13 pixels at 96 dpi).
QFont helpLineFont();

} // namespace tickwell::design
