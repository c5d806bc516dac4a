#include "FakeScreen.h"

namespace tickwell::test {

FakeScreen::FakeScreen() {
    setScreenInfo(this);
}

FakeScreen::~FakeScreen() {
    setScreenInfo(nullptr);
}

} // namespace tickwell::test
