#pragma once

#include "ListEditor/StatusWindowButton.h"

#include "platform/appkit/Geometry.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/WindowController.h"
#include "platform/views/HostingController.h"
#include "platform/views/View.h"

#include <memory>
#include <string>

namespace ListEditor {

// The status item of a list program and the list window it toggles. The window
// and the store it edits are made once, at launch, and live for the whole run.
//
// `Values` gives the item's `status` look, the window's `windowTitle` and
// `windowBackground()`; `Content` is the window's root view, which holds the store.
template <typename Values, typename Content>
class ListMenuBarButton : public StatusWindowButton {
public:
    using Store = typename Content::Store;
    static constexpr platform::Size windowSize{380, 400};

    static std::shared_ptr<ListMenuBarButton> make() {
        std::shared_ptr<ListMenuBarButton> button(new ListMenuBarButton());
        button->setupStatusItem();
        button->setupWindow();
        return button;
    }

    // The store the window edits.
    const std::shared_ptr<Store>& store() const { return store_; }

private:
    ListMenuBarButton() : StatusWindowButton(Values::status) {}

    void setupWindow() {
        store_ = Store::make();
        auto window = platform::Window::withContentViewController(
            platform::HostingController::make(platform::View::make<Content>(store_)));
        window->setContentSize(windowSize);
        window->setTitle(std::string(Values::windowTitle));
        window->setTitlebarSeparatorStyle(platform::TitlebarSeparatorStyle::none);
        window->setBackgroundColor(Values::windowBackground());
        windowController_ = platform::WindowController::make(window);
    }

    std::shared_ptr<Store> store_;
};

} // namespace ListEditor
