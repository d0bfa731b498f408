#include "platform/qt/x11/X11Applications.h"

#include "platform/qt/x11/XcbSupport.h"

#include <algorithm>
#include <string>

namespace platform {

namespace {

// A client list of a few thousand windows is far more than any desktop holds.
constexpr std::uint32_t propertyLength = 4096;

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

std::unique_ptr<X11Applications> X11Applications::connect() {
    xcb_connection_t* connection = qtXcbConnection();
    return connection ? std::unique_ptr<X11Applications>(new X11Applications(connection)) : nullptr;
}

X11Applications::X11Applications(xcb_connection_t* connection)
    : connection_(connection),
      namer_("/proc", DesktopEntryIndex(DesktopEntryIndex::sessionFolders(), DesktopEntryIndex::messagesLocale())) {
    root_ = xcbRootWindow(connection_);
    activeWindowAtom_ = xcbAtom(connection_, "_NET_ACTIVE_WINDOW");
    clientListAtom_ = xcbAtom(connection_, "_NET_CLIENT_LIST");
    processAtom_ = xcbAtom(connection_, "_NET_WM_PID");
    nameAtom_ = xcbAtom(connection_, "_NET_WM_NAME");
    utf8StringAtom_ = xcbAtom(connection_, "UTF8_STRING");
}

std::vector<std::uint32_t> X11Applications::rootWindows(std::uint32_t name) {
    return xcbCardinals(xcbProperty(connection_, root_, name, XCB_ATOM_WINDOW, propertyLength).get());
}

int X11Applications::processOf(std::uint32_t window) {
    const auto processes =
        xcbCardinals(xcbProperty(connection_, window, processAtom_, XCB_ATOM_CARDINAL, propertyLength).get());
    return processes.empty() ? 0 : static_cast<int>(processes.front());
}

std::string X11Applications::classOf(std::uint32_t window) {
    return windowClass(xcbProperty(connection_, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, propertyLength).get());
}

RunningApplication X11Applications::application(std::uint32_t window) {
    return namer_.application(processOf(window), classOf(window));
}

std::optional<std::uint32_t> X11Applications::activeWindow() {
    const auto active = rootWindows(activeWindowAtom_);
    if (active.empty() || active.front() == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    return active.front();
}

std::vector<RunningApplication> X11Applications::running() {
    std::vector<RunningApplication> applications;
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
    const auto active = activeWindow();
    if (!active) {
        return std::nullopt;
    }
    RunningApplication found = application(*active);
    return found.localizedName ? std::optional<RunningApplication>(std::move(found)) : std::nullopt;
}

std::optional<SessionApplications::FrontWindow> X11Applications::frontWindow() {
    const auto active = activeWindow();
    if (!active) {
        return std::nullopt;
    }
    FrontWindow front{processOf(*active), classOf(*active), {}};
    const auto title = xcbProperty(connection_, *active, nameAtom_, utf8StringAtom_, propertyLength);
    if (title && title->format == 8) {
        front.title.assign(static_cast<const char*>(xcb_get_property_value(title.get())),
                           static_cast<std::size_t>(xcb_get_property_value_length(title.get())));
    }
    return front;
}

} // namespace platform
