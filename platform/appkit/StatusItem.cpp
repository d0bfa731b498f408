#include "platform/appkit/StatusItem.h"

#include "platform/appkit/Backend.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/runloop/DispatchQueue.h"

#include <atomic>
#include <sstream>

namespace platform {

namespace {
int nextItemNumber() {
    static std::atomic<int> counter{0};
    return ++counter;
}
} // namespace

StatusItem::StatusItem(double length) : number_(nextItemNumber()), length_(length) {}

StatusItem::~StatusItem() {
    if (button_) {
        button_->detachWindow();
    }
}

std::string StatusItem::describeLength() const {
    if (length_ == variableLength) {
        return "variable";
    }
    if (length_ == squareLength) {
        return "square";
    }
    std::ostringstream out;
    out << length_;
    return out.str();
}

void StatusItem::makeButton() {
    button_.reset(new StatusBarButton(std::static_pointer_cast<StatusItem>(shared_from_this())));
    // The bar lays the new item out on its next pass, which is when the
    // button gets its window.
    DispatchQueue::main().async([weak = std::weak_ptr<StatusBarButton>(button_)] {
        if (auto button = weak.lock()) {
            button->attachWindow();
        }
    });
}

} // namespace platform
