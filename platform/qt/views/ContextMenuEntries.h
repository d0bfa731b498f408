#pragma once

#include "platform/qt/views/UserAction.h"

class QMenu;

namespace platform {

class ContextMenuModifier;

// The entries a view's context menu declares (its buttons), added to a Qt
// menu: each presses its button as a click would.
struct ContextMenuEntries {
    static void add(QMenu& menu, const ContextMenuModifier& modifier, const UserAction& act);
};

} // namespace platform
