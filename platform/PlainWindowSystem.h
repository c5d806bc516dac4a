#pragma once

#include "platform/WindowSystem.h"

namespace tickwell {

// A window system known only through the toolkit: opacity trusted, frames as the toolkit
// reports them, the screen grabbed through the toolkit.
class PlainWindowSystem : public WindowSystem {
public:
    std::optional<bool> showsWindowOpacity() const override { return std::nullopt; }
    std::optional<QMargins> frameExtents(const QWidget& window) const override;
    void flushRequests() override {}
    ScreenPicture grabScreen(const QRect& area) const override;
};

// The implementation for the window system the program runs on: chosen at build time by the
// window systems the platform layer was built for, and at run time by the one in use.
WindowSystem& nativeWindowSystem();

} // namespace tickwell
