#pragma once

#include "platform/appkit/Responder.h"

#include <memory>

namespace platform {

class Window;

// Owns a window and shows it on demand.
class WindowController : public Responder {
public:
    static std::shared_ptr<WindowController> make(std::shared_ptr<Window> window);
    explicit WindowController(std::shared_ptr<Window> window) : window_(std::move(window)) {}

    std::shared_ptr<Window> window() const { return window_; }
    void setWindow(std::shared_ptr<Window> window) { window_ = std::move(window); }

    // Brings the window in front, making it key if it can be.
    void showWindow(Object* sender = nullptr);
    void close();

private:
    std::shared_ptr<Window> window_;
};

} // namespace platform
