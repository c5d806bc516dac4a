#pragma once

#include <QMargins>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <optional>

class QWidget;

namespace tickwell {

// What the windows need to know of, and to say to, the window system beyond what the toolkit
// offers everywhere. Each window system has its own implementation in a folder of its own
// (x11/); elsewhere a plain one trusts the toolkit.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Whether the window system shows a window's opacity. On X11 only a compositing manager
    // does (one owns the selection "_NET_WM_CM_S<n>" of the default screen n); it may start or
    // end while the program runs. Nothing when that cannot be found out.
    virtual std::optional<bool> showsWindowOpacity() const = 0;

    // The frame the window manager put around `window`, as it announced it; nothing before it
    // has done so. The toolkit's own idea of the frame may miss the announcement.
    virtual std::optional<QMargins> frameExtents(const QWidget& window) const = 0;

    // Sends the requests the toolkit has queued for the window system. The toolkit sends them
    // when it next handles an event of the display, so a window property changed by a timer
    // (the opacity) would otherwise wait for the next mouse move.
    virtual void flushRequests() = 0;

    // A picture of the screen in `area` (desktop coordinates), taken now: of the part of it on
    // the screen that holds its centre. A null picture when the window system gives none.
    struct ScreenPicture {
        QPixmap picture;
        QRect area; // desktop coordinates
    };
    virtual ScreenPicture grabScreen(const QRect& area) const = 0;
};

// The window system the program runs on, unless a test installed another (Seams.h).
WindowSystem& windowSystem();

} // namespace tickwell
