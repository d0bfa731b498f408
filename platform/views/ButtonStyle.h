#pragma once

namespace platform {

// How a button is drawn: the platform's bordered push button (automatic),
// without a border (borderless), or as its bare label (plain).
enum class ButtonStyle { automatic, borderless, plain, bordered };

constexpr const char* buttonStyleName(ButtonStyle style) {
    switch (style) {
    case ButtonStyle::automatic: return "automatic";
    case ButtonStyle::borderless: return "borderless";
    case ButtonStyle::plain: return "plain";
    case ButtonStyle::bordered: return "bordered";
    }
    return "automatic";
}

} // namespace platform
