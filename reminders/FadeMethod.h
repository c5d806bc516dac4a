#pragma once

#include <optional>

class QString;

namespace tickwell {

// How a notice window fades in.
enum class FadeMethod {
    // The window system shows a window's opacity: the window's own opacity is raised.
    WindowOpacity,
    // It does not (an X11 desktop without a compositing manager, where an opacity would simply
    // be ignored): the window paints what lay under it over its own content, less and less
    // strongly, so the user still sees it fade in.
    Painted,
};

// The method for a window system platform (Qt's platform name) and, on X11, whether a
// compositing manager runs (nothing when that could not be found out). Without a way to tell,
// the window's opacity is trusted.
FadeMethod fadeMethodFor(const QString& platformName, std::optional<bool> compositingManager);

// The method for the next notice: asks the window system each time, since a compositing manager
// may start or end while the program runs; or the one a test chose.
FadeMethod currentFadeMethod();

// Makes currentFadeMethod() answer `method` for the whole process; nothing gives the decision
// back to the window system.
void setFadeMethodForTest(std::optional<FadeMethod> method);

} // namespace tickwell
