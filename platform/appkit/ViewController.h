#pragma once

#include "platform/appkit/Event.h"
#include "platform/appkit/Geometry.h"
#include "platform/appkit/Responder.h"

#include <memory>
#include <string>

namespace platform {

class Window;

// Manages the content of a window. Windows call the appearance hooks as they
// are shown and hidden; a backend lists a window's content through describe().
class ViewController : public Responder {
public:
    // The window whose content this controller is, if any.
    std::shared_ptr<Window> window() const { return window_.lock(); }

    // A readable listing of the content, one line per element, for the
    // console and for tests. The base class has no content.
    virtual std::string describe() const { return {}; }

    // The size the content asks for, if it has one (a window made for this
    // controller starts at that size).
    virtual Size preferredContentSize() const { return {}; }

    virtual void viewWillAppear() {}
    virtual void viewDidAppear() {}
    virtual void viewDidDisappear() {}

    // A key pressed while the window is key; true when the content used it.
    virtual bool keyDown(const Event&) { return false; }

private:
    friend class Window;
    std::weak_ptr<Window> window_;
};

} // namespace platform
