#pragma once

#include <QRect>
#include <QSize>

namespace tickwell {

// The screen as the program's windows need it, behind a seam so that tests set it.
class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;

    // The primary screen without panels and task bars, in desktop coordinates.
    virtual QRect workArea() const = 0;
    // The size of the primary screen.
    virtual QSize primaryScreenSize() const = 0;
    // Device pixels per unit of the sizes above on the primary screen: above 1 where the
    // desktop scales the interface up.
    virtual qreal devicePixelRatio() const = 0;
    // The union of all screens, in desktop coordinates.
    virtual QRect desktopArea() const = 0;
};

// The screen the program uses: the real one unless a test installed another (Seams.h). Without any
// screen the real one reports empty rectangles.
ScreenInfo& screenInfo();

} // namespace tickwell
