#pragma once

#include "platform/appkit/DraggingInfo.h"

namespace platform {

class Window;

// What a window tells its delegate. The delegate is also the window's drag
// destination: the window passes on the drags that carry a type it registered.
// Every call has a default, so a delegate implements only what it needs.
class WindowDelegate {
public:
    virtual ~WindowDelegate() = default;

    virtual DragOperation draggingEntered(DraggingInfo&) { return DragOperation::none; }
    virtual void draggingExited() {}
    virtual bool performDragOperation(DraggingInfo&) { return false; }

    virtual bool windowShouldClose(Window&) { return true; }
    virtual void windowWillClose(Window&) {}
    virtual void windowDidBecomeKey(Window&) {}
    virtual void windowDidResignKey(Window&) {}
};

} // namespace platform
