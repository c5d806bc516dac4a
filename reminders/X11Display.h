#pragma once

#include <QMargins>
#include <QtGlobal>
#include <optional>

namespace tickwell {

// What the notice window needs to know of, and to say to, an X11 display. Both do nothing when
// the program does not run on X11, or was built without the xcb headers.

// Whether a compositing manager runs on the X11 display the program uses: the selection
// "_NET_WM_CM_S<n>" of the default screen n has an owner. Only a compositing manager shows a
// window's opacity on X11. Nothing when that cannot be found out.
std::optional<bool> x11CompositingManagerRunning();

// The frame the window manager put around the native window `window`, as it announces it in
// the window's property "_NET_FRAME_EXTENTS"; nothing before it has done so. Read from the
// display itself: Qt's own idea of the frame may miss the announcement.
std::optional<QMargins> x11FrameExtents(quintptr window);

// Sends the requests Qt has queued for the display. Qt sends them when it next handles an event
// of the display, so a window property changed by a timer (the opacity) would otherwise wait
// for the next mouse move.
void flushX11Requests();

} // namespace tickwell
