#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace platform {

// What the backend's X11 queries share, on Qt's own X connection.
struct XcbReplyFree {
    void operator()(void* reply) const;
};
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, XcbReplyFree>;

// Qt's connection to the X server; null off X11 (Wayland, offscreen).
xcb_connection_t* qtXcbConnection();
xcb_window_t xcbRootWindow(xcb_connection_t* connection);
// XCB_ATOM_NONE when it cannot be had, or does not exist yet and `onlyIfExists`.
xcb_atom_t xcbAtom(xcb_connection_t* connection, std::string_view name, bool onlyIfExists = false);
// Up to `length` 32-bit units of a window's property.
XcbReply<xcb_get_property_reply_t> xcbProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                               xcb_atom_t type, std::uint32_t length);
// A property's 32-bit values (windows, cardinals); none for another format.
std::vector<std::uint32_t> xcbCardinals(const xcb_get_property_reply_t* reply);

} // namespace platform
