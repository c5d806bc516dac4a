// A build of the platform layer for no particular window system: the toolkit is all it knows.

#include "platform/PlainWindowSystem.h"
#include "platform/PlatformChoice.h"

namespace tickwell {

WindowSystem& nativeWindowSystem() {
    static PlainWindowSystem plain;
    return plain;
}

bool xServerAnswers() {
    return true;
}

} // namespace tickwell
