#include "platform/qt/x11/XcbSupport.h"

#include <QGuiApplication>

#include <cstdlib>

namespace platform {

void XcbReplyFree::operator()(void* reply) const { std::free(reply); }

xcb_connection_t* qtXcbConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t xcbRootWindow(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t xcbAtom(xcb_connection_t* connection, std::string_view name, bool onlyIfExists) {
    const auto cookie =
        xcb_intern_atom(connection, onlyIfExists ? 1 : 0, static_cast<std::uint16_t>(name.size()), name.data());
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

XcbReply<xcb_get_property_reply_t> xcbProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                               xcb_atom_t type, std::uint32_t length) {
    const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, length);
    return XcbReply<xcb_get_property_reply_t>(xcb_get_property_reply(connection, cookie, nullptr));
}

std::vector<std::uint32_t> xcbCardinals(const xcb_get_property_reply_t* reply) {
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    return {values, values + xcb_get_property_value_length(reply) / 4};
}

} // namespace platform
