#pragma once

#include <string>

namespace platform {

// Whether the X display the environment names accepts connections, asked
// before Qt is started because Qt ends the process when it cannot open one.
class DisplayProbe {
public:
    // The socket path of a local display name (":1", "unix:0.0",
    // "/tmp/.X11-unix/X1" style names included); empty for a remote or
    // malformed name.
    static std::string localSocketPath(const std::string& display);
    // False with `reason` set when there is no DISPLAY or its local socket
    // refuses; remote displays are left to Qt.
    static bool canReachX11(std::string& reason);
};

} // namespace platform
