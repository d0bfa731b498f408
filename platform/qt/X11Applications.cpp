#include "platform/qt/X11Applications.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

namespace platform {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, FreeReply>;

std::uint32_t internAtom(xcb_connection_t* connection, std::string_view name) {
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
    ReplyPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : static_cast<std::uint32_t>(XCB_ATOM_NONE);
}

ReplyPointer<xcb_get_property_reply_t> property(xcb_connection_t* connection, std::uint32_t window,
                                                std::uint32_t name, std::uint32_t type) {
    // A client list of a few thousand windows is far more than any desktop holds.
    const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, 4096);
    return ReplyPointer<xcb_get_property_reply_t>(xcb_get_property_reply(connection, cookie, nullptr));
}

std::vector<std::uint32_t> cardinals(const xcb_get_property_reply_t* reply) {
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    return {values, values + xcb_get_property_value_length(reply) / 4};
}

// WM_CLASS holds the instance and then the class, each ended by a zero byte.
std::string windowClass(const xcb_get_property_reply_t* reply) {
    if (!reply || reply->format != 8) {
        return {};
    }
    const std::string value(static_cast<const char*>(xcb_get_property_value(reply)),
                            static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    const auto end = value.find('\0');
    if (end == std::string::npos) {
        return {};
    }
    const std::string rest = value.substr(end + 1);
    return rest.substr(0, rest.find('\0'));
}

} // namespace

X11Applications::X11Applications()
    : namer_("/proc", DesktopEntryIndex(DesktopEntryIndex::sessionFolders(), DesktopEntryIndex::messagesLocale())) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) {
        return;
    }
    connection_ = x11->connection();
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    activeWindowAtom_ = internAtom(connection_, "_NET_ACTIVE_WINDOW");
    clientListAtom_ = internAtom(connection_, "_NET_CLIENT_LIST");
    processAtom_ = internAtom(connection_, "_NET_WM_PID");
}

bool X11Applications::available() {
    if (connection_ == nullptr && !toldUnavailable_) {
        std::cerr << "The running and frontmost applications are known only on an X11 desktop; "
                     "this one reports none.\n";
        toldUnavailable_ = true;
    }
    return connection_ != nullptr;
}

std::vector<std::uint32_t> X11Applications::rootWindows(std::uint32_t name) {
    auto reply = property(connection_, root_, name, XCB_ATOM_WINDOW);
    return cardinals(reply.get());
}

RunningApplication X11Applications::application(std::uint32_t window) {
    const auto processes = cardinals(property(connection_, window, processAtom_, XCB_ATOM_CARDINAL).get());
    const int processIdentifier = processes.empty() ? 0 : static_cast<int>(processes.front());
    const auto windowClassReply = property(connection_, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    return namer_.application(processIdentifier, windowClass(windowClassReply.get()));
}

std::vector<RunningApplication> X11Applications::running() {
    std::vector<RunningApplication> applications;
    if (!available()) {
        return applications;
    }
    for (const std::uint32_t window : rootWindows(clientListAtom_)) {
        RunningApplication found = application(window);
        if (!found.localizedName) {
            continue;
        }
        // One entry per process, or per name for windows that give no process.
        const bool listed = std::any_of(applications.begin(), applications.end(), [&](const auto& other) {
            return found.processIdentifier != 0 ? other.processIdentifier == found.processIdentifier
                                                : other.processIdentifier == 0 && other.localizedName == found.localizedName;
        });
        if (!listed) {
            applications.push_back(std::move(found));
        }
    }
    return applications;
}

std::optional<RunningApplication> X11Applications::frontmost() {
    if (!available()) {
        return std::nullopt;
    }
    const auto active = rootWindows(activeWindowAtom_);
    if (active.empty() || active.front() == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    RunningApplication found = application(active.front());
    return found.localizedName ? std::optional<RunningApplication>(std::move(found)) : std::nullopt;
}

} // namespace platform
