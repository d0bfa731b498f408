#pragma once

#include <cstdint>

class QWidget;

namespace platform {

// What Qt does not say to an X11 window manager for a window.
class X11WindowHints {
public:
    // On every workspace (_NET_WM_DESKTOP 0xFFFFFFFF), said before the window
    // is mapped; nothing off X11.
    static void showOnAllDesktops(QWidget& window);
    // The window the desktop has the focus in (_NET_ACTIVE_WINDOW), 0 when
    // none is known.
    static std::uint32_t activeWindow();
    // Asks the window manager to give the focus to a window, as a pager does.
    static void activate(std::uint32_t window);
};

} // namespace platform
