// The window system on X11, through the toolkit's own connection to the display (xcb). A program
// that runs on another window system, although built for X11 too, gets the plain one.

#include "platform/PlainWindowSystem.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace tickwell {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// The number of the X screen the program's windows are made on: the screen part of the display
// name ("host:0.1" is screen 1), as when the connection was made; screen 0 when it has none.
int defaultScreenNumber() {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) {
        return 0;
    }
    std::free(host);
    return screen;
}

// Qt's connection to the display, or nullptr when the program does not run on X11.
xcb_connection_t* qtConnection() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app == nullptr) {
        return nullptr;
    }
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

// Runs on X11 when the toolkit's connection is there; otherwise as the plain one.
class X11WindowSystem final : public PlainWindowSystem {
public:
    std::optional<bool> showsWindowOpacity() const override;
    std::optional<QMargins> frameExtents(const QWidget& window) const override;
    void flushRequests() override;
};

} // namespace

std::optional<bool> X11WindowSystem::showsWindowOpacity() const {
    xcb_connection_t* connection = qtConnection();
    if (connection == nullptr) {
        return std::nullopt;
    }
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(defaultScreenNumber());
    ReplyPtr<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.constData()),
        nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        // Nobody ever named the selection on this display: no manager owns it.
        return atom ? std::optional<bool>(false) : std::nullopt;
    }
    ReplyPtr<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
    if (!owner) {
        return std::nullopt;
    }
    return owner->owner != XCB_WINDOW_NONE;
}

std::optional<QMargins> X11WindowSystem::frameExtents(const QWidget& window) const {
    xcb_connection_t* connection = qtConnection();
    if (connection == nullptr || !window.testAttribute(Qt::WA_WState_Created)) {
        return std::nullopt;
    }
    static const QByteArray name = QByteArrayLiteral("_NET_FRAME_EXTENTS");
    ReplyPtr<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.constData()),
        nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    ReplyPtr<xcb_get_property_reply_t> property(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()), atom->atom,
                         XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!property || property->type != XCB_ATOM_CARDINAL || property->format != 32 ||
        xcb_get_property_value_length(property.get()) != 4 * 4) {
        return std::nullopt;
    }
    // Left, right, top, bottom.
    const auto* extents = static_cast<const std::uint32_t*>(xcb_get_property_value(property.get()));
    const auto side = [extents](int i) { return static_cast<int>(extents[i]); };
    return QMargins(side(0), side(2), side(1), side(3));
}

void X11WindowSystem::flushRequests() {
    if (xcb_connection_t* connection = qtConnection()) {
        xcb_flush(connection);
    }
}

WindowSystem& nativeWindowSystem() {
    static X11WindowSystem x11;
    static PlainWindowSystem plain;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        return x11;
    }
    return plain;
}

} // namespace tickwell
