#include "FakeWindowSystem.h"

namespace tickwell::test {

WindowSystem::ScreenPicture FakeWindowSystem::grabScreen(const QRect& area) const {
    grabbed_.push_back(area);
    QPixmap picture(area.size());
    picture.fill(screenColor_);
    return {picture, area};
}

} // namespace tickwell::test
