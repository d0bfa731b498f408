#include "platform/qt/DisplayProbe.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

std::string DisplayProbe::localSocketPath(const std::string& display) {
    if (!display.empty() && display.front() == '/') {
        // A launchd-style path names the socket itself, with ":N" appended.
        auto colon = display.rfind(':');
        return display.substr(0, colon);
    }
    auto colon = display.rfind(':');
    if (colon == std::string::npos) {
        return {};
    }
    const std::string host = display.substr(0, colon);
    if (!host.empty() && host != "unix") {
        return {};
    }
    std::string number = display.substr(colon + 1);
    number = number.substr(0, number.find('.'));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        return {};
    }
    return "/tmp/.X11-unix/X" + number;
}

bool DisplayProbe::canReachX11(std::string& reason) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        reason = "no X display (DISPLAY is not set)";
        return false;
    }
    const std::string path = localSocketPath(display);
    if (path.empty()) {
        return true;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        reason = "cannot open a socket for the display";
        return false;
    }
    // X servers listen on the abstract name as well as the file; either will do.
    bool reached = false;
    for (bool abstract : {true, false}) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::size_t offset = abstract ? 1 : 0;
        if (path.size() + offset >= sizeof address.sun_path) {
            continue;
        }
        std::memcpy(address.sun_path + offset, path.data(), path.size());
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
            reached = true;
            break;
        }
    }
    ::close(fd);
    if (!reached) {
        reason = std::string("cannot open display ") + display;
    }
    return reached;
}

} // namespace platform
