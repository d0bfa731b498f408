#include "platform/views/KeyboardShortcut.h"

#include "platform/appkit/Event.h"

namespace platform {

std::string KeyboardShortcut::describe() const {
    switch (key) {
    case Key::escape: return "cancelAction";
    case Key::returnKey: return "defaultAction";
    case Key::character: break;
    }
    std::string text;
    if (modifiers & ModifierFlags::control) text += "ctrl-";
    if (modifiers & ModifierFlags::option) text += "opt-";
    if (modifiers & ModifierFlags::shift) text += "shift-";
    if (modifiers & ModifierFlags::command) text += "cmd-";
    return text + character;
}

} // namespace platform
