#pragma once

#include <QColor>
#include <QRect>

#include <optional>

namespace platform {

// What an XEmbed tray panel says of its colours, or shows behind an icon:
// the colours a docked icon's symbol has to stand out against.
class TrayBackground {
public:
    // The foreground colour the tray publishes for its icons
    // (_NET_SYSTEM_TRAY_COLORS on the tray's window), when it does.
    static std::optional<QColor> publishedForeground();
    // The panel's colour behind an icon docked at `geometry` (screen
    // coordinates), read from the screen there while the icon is drawn
    // empty: its window shows the panel through it. Nothing when the screen
    // there is not of one colour (something else is passing over it).
    static std::optional<QColor> behind(const QRect& geometry);
};

} // namespace platform
