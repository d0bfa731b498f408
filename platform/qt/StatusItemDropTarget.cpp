#include "platform/qt/StatusItemDropTarget.h"

#include "platform/appkit/DraggingInfo.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/qt/MimeDropReader.h"

namespace platform {

StatusItemDropTarget::StatusItemDropTarget(std::weak_ptr<StatusItem> item, std::function<void()> dropped)
    : item_(std::move(item)), dropped_(std::move(dropped)) {}

std::shared_ptr<Window> StatusItemDropTarget::window() const {
    auto item = item_.lock();
    auto button = item ? item->button() : nullptr;
    return button ? button->window() : nullptr;
}

bool StatusItemDropTarget::enter(const QMimeData& data) {
    auto pasteboard = MimeDropReader::read(data);
    if (!pasteboard) {
        dragged_.reset();
        return false;
    }
    return enter(std::move(*pasteboard));
}

bool StatusItemDropTarget::enter(Pasteboard pasteboard) {
    dragged_.reset();
    auto target = window();
    const auto types = pasteboard.types().value_or(std::vector<PasteboardTypeName>{});
    if (!target || !target->delegate() || !target->acceptsDragTypes(types)) {
        return false;
    }
    DraggingInfo info(pasteboard);
    if (target->dragEntered(info) == DragOperation::none) {
        target->delegate()->draggingExited();
        return false;
    }
    dragged_ = std::move(pasteboard);
    return true;
}

void StatusItemDropTarget::leave() {
    if (auto target = window(); target && dragged_ && target->delegate()) {
        target->delegate()->draggingExited();
    }
    dragged_.reset();
}

bool StatusItemDropTarget::drop() {
    auto target = window();
    if (!target || !dragged_) {
        dragged_.reset();
        return false;
    }
    DraggingInfo info(*std::exchange(dragged_, std::nullopt));
    const bool accepted = target->dragPerformed(info);
    if (dropped_) {
        dropped_();
    }
    return accepted;
}

} // namespace platform
