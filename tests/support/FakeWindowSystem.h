#pragma once

#include "platform/WindowSystem.h"

#include <QColor>
#include <vector>

namespace tickwell::test {

// A window system of the test's choosing: whether it shows a window's opacity (yes by default),
// no frames, and a screen of one colour whose grabs it records.
class FakeWindowSystem final : public WindowSystem {
public:
    std::optional<bool> showsWindowOpacity() const override { return showsOpacity_; }
    std::optional<QMargins> frameExtents(const QWidget& /*window*/) const override {
        return std::nullopt;
    }
    void flushRequests() override {}
    ScreenPicture grabScreen(const QRect& area) const override;

    void setShowsWindowOpacity(std::optional<bool> shows) { showsOpacity_ = shows; }
    // The colour of the whole screen as grabs see it.
    void setScreenColor(const QColor& color) { screenColor_ = color; }
    // Every area grabbed so far, in order.
    const std::vector<QRect>& grabbedAreas() const { return grabbed_; }

private:
    std::optional<bool> showsOpacity_ = true;
    QColor screenColor_ = Qt::darkGreen;
    mutable std::vector<QRect> grabbed_;
};

} // namespace tickwell::test
