#include "reminders/FadeMethod.h"

#include "platform/WindowSystem.h"

namespace tickwell {

FadeMethod fadeMethodFor(std::optional<bool> showsWindowOpacity) {
    return showsWindowOpacity == false ? FadeMethod::Painted : FadeMethod::WindowOpacity;
}

FadeMethod currentFadeMethod() {
    return fadeMethodFor(windowSystem().showsWindowOpacity());
}

} // namespace tickwell
