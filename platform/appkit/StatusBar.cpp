#include "platform/appkit/StatusBar.h"

#include "platform/appkit/StatusItem.h"

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
