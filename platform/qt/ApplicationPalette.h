#pragma once

#include <QPalette>

#include <optional>

namespace platform {

// The colours of the program's windows and menus, following the light or
// dark appearance: Qt 6.4 has no colour-scheme setting of its own, so a dark
// appearance gets a dark palette unless the desktop's theme gave one already,
// and a light one gets back the theme's palette.
class ApplicationPalette {
public:
    static void follow(bool dark);
    // Whether a palette is dark: its windows are.
    static bool isDark(const QPalette& palette);
    static QPalette dark();

private:
    // The desktop theme's palette, as the program started with it.
    static std::optional<QPalette> themePalette_;
};

} // namespace platform
