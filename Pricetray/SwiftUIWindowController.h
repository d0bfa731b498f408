#pragma once

#include "platform/appkit/Color.h"
#include "platform/appkit/Object.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/WindowController.h"
#include "platform/views/Component.h"
#include "platform/views/HostingController.h"
#include "platform/views/View.h"

#include <memory>
#include <type_traits>

namespace Pricetray {

// A window showing one declarative view of type RootView, made once and
// shown again on demand. Its content is replaced through hostingController.
template <class RootView>
class SwiftUIWindowController : public platform::Object {
    static_assert(std::is_base_of_v<platform::Component, RootView>);

public:
    static constexpr double width = 380;
    static constexpr double height = 400;
    static constexpr const char* title = "Price Tray";

    // Makes the window without showing it.
    explicit SwiftUIWindowController(std::shared_ptr<RootView> rootView)
        : hostingController(platform::HostingController::make(platform::View(std::move(rootView)))) {
        auto window = platform::Window::withContentViewController(hostingController);
        window->setContentSize({width, height});
        window->setTitle(title);
        window->setTitlebarSeparatorStyle(platform::TitlebarSeparatorStyle::none);
        window->setBackgroundColor(platform::Color::windowBackground());
        windowController = platform::WindowController::make(window);
    }

    // In front and key, although a status-bar program is never the active one.
    void showWindow() {
        windowController->showWindow(nullptr);
        auto window = windowController->window();
        window->makeKeyAndOrderFront(nullptr);
        window->orderFrontRegardless();
    }

    std::shared_ptr<platform::HostingController> hostingController;
    std::shared_ptr<platform::WindowController> windowController;
};

} // namespace Pricetray
