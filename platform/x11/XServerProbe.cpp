// Whether the X server that DISPLAY names answers, asked with a connection of its own that is
// closed at once: the toolkit, when it cannot connect, ends the process with an abort.

#include "platform/PlatformChoice.h"

#include <xcb/xcb.h>

namespace tickwell {

bool xServerAnswers() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

} // namespace tickwell
