#pragma once

class QWidget;

namespace platform {

// What Qt does not say to an X11 window manager for a window.
class X11WindowHints {
public:
    // On every workspace (_NET_WM_DESKTOP 0xFFFFFFFF), said before the window
    // is mapped; nothing off X11.
    static void showOnAllDesktops(QWidget& window);
};

} // namespace platform
