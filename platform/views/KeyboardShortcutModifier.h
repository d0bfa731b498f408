#pragma once

#include "platform/views/KeyboardShortcut.h"
#include "platform/views/ViewModifier.h"

#include <utility>

namespace platform {

// The key that presses the button (or the buttons inside the view) while its window is key.
class KeyboardShortcutModifier final : public ViewModifier {
public:
    explicit KeyboardShortcutModifier(KeyboardShortcut shortcut) : shortcut_(std::move(shortcut)) {}

    const KeyboardShortcut& shortcut() const { return shortcut_; }

    std::string describe() const override;

private:
    KeyboardShortcut shortcut_;
};

} // namespace platform
