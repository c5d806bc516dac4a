#pragma once

#include <optional>

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

// The method for a window system that does or does not show a window's opacity (nothing when
// that could not be found out: the window's opacity is trusted then).
FadeMethod fadeMethodFor(std::optional<bool> showsWindowOpacity);

// The method for the next notice: asks the window system each time, since a compositing manager
// may start or end while the program runs.
FadeMethod currentFadeMethod();

} // namespace tickwell
