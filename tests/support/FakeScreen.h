#pragma once

#include "platform/ScreenInfo.h"

namespace tickwell::test {

// A screen of the test's choosing; by default 1280 x 800 with a 30-pixel panel at the bottom,
// one device pixel per pixel.
class FakeScreen final : public ScreenInfo {
public:
    QRect workArea() const override { return workArea_; }
    QSize primaryScreenSize() const override { return primarySize_; }
    QRect desktopArea() const override { return desktopArea_; }
    qreal devicePixelRatio() const override { return devicePixelRatio_; }

    void setWorkArea(const QRect& area) { workArea_ = area; }
    void setPrimaryScreenSize(const QSize& size) { primarySize_ = size; }
    void setDesktopArea(const QRect& area) { desktopArea_ = area; }
    void setDevicePixelRatio(qreal ratio) { devicePixelRatio_ = ratio; }

private:
    QRect workArea_{0, 0, 1280, 770};
    QSize primarySize_{1280, 800};
    QRect desktopArea_{0, 0, 1280, 800};
    qreal devicePixelRatio_ = 1.0;
};

} // namespace tickwell::test
