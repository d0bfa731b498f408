#pragma once

namespace platform {

class Menu;

// What a menu tells its delegate as it opens and closes.
class MenuDelegate {
public:
    virtual ~MenuDelegate() = default;

    // Right before the menu opens: the delegate may rebuild its items.
    virtual void menuNeedsUpdate(Menu&) {}
    virtual void menuWillOpen(Menu&) {}
    virtual void menuDidClose(Menu&) {}
};

} // namespace platform
