#include "platform/appkit/StatusBar.h"

#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/StatusItem.h"

#include <algorithm>

namespace platform {

StatusBar& StatusBar::system() {
    static StatusBar bar;
    return bar;
}

std::shared_ptr<StatusItem> StatusBar::statusItem(double length) {
    std::shared_ptr<StatusItem> item(new StatusItem(length));
    item->makeButton();
    items_.push_back(item);
    return item;
}

void StatusBar::removeStatusItem(const std::shared_ptr<StatusItem>& item) {
    auto found = std::find_if(items_.begin(), items_.end(),
                              [&](const std::weak_ptr<StatusItem>& held) { return held.lock() == item; });
    if (found == items_.end()) {
        return;
    }
    items_.erase(found);
    if (auto button = item->button()) {
        if (auto window = button->window()) {
            window->close();
        }
    }
}

std::vector<std::shared_ptr<StatusItem>> StatusBar::items() const {
    std::vector<std::shared_ptr<StatusItem>> alive;
    for (const auto& held : items_) {
        if (auto item = held.lock()) {
            alive.push_back(std::move(item));
        }
    }
    return alive;
}

void StatusBar::reset() { items_.clear(); }

} // namespace platform
