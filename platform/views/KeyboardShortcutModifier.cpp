#include "platform/views/KeyboardShortcutModifier.h"

namespace platform {

std::string KeyboardShortcutModifier::describe() const {
    return ".keyboardShortcut(" + shortcut_.describe() + ")";
}

} // namespace platform
