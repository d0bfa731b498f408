#include "platform/qt/x11/X11WindowHints.h"

#include "platform/qt/x11/XcbSupport.h"

#include <QWidget>

namespace platform {

std::uint32_t X11WindowHints::activeWindow() {
    xcb_connection_t* connection = qtXcbConnection();
    if (!connection) {
        return 0;
    }
    const auto active = xcbCardinals(xcbProperty(connection, xcbRootWindow(connection),
                                                 xcbAtom(connection, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 1)
                                         .get());
    return active.empty() ? 0 : active.front();
}

void X11WindowHints::activate(std::uint32_t window) {
    xcb_connection_t* connection = qtXcbConnection();
    if (!connection || window == 0) {
        return;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = xcbAtom(connection, "_NET_ACTIVE_WINDOW");
    // Source 2: a pager, which window managers obey without focus-stealing checks.
    message.data.data32[0] = 2;
    const xcb_window_t root = xcbRootWindow(connection);
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

void X11WindowHints::showOnAllDesktops(QWidget& window) {
    xcb_connection_t* connection = qtXcbConnection();
    if (!connection) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    const std::uint32_t everyDesktop = 0xFFFFFFFF;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, xcbAtom(connection, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL,
                        32, 1, &everyDesktop);
    xcb_flush(connection);
}

} // namespace platform
