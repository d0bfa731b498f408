#pragma once

#include "platform/appkit/Pasteboard.h"

#include <functional>
#include <memory>
#include <optional>

class QMimeData;

namespace platform {

class StatusItem;
class Window;

// A drag from another program over something that stands for a status
// item (its drop chip, its docked tray icon), passed on as a drag over the
// item's button window: entered, exited, performed, with the platform's
// pasteboard types read from what the drag offers.
class StatusItemDropTarget {
public:
    // `dropped` runs after a drop reached the model.
    StatusItemDropTarget(std::weak_ptr<StatusItem> item, std::function<void()> dropped);

    // Whether the item's window takes the drag.
    bool enter(const QMimeData& data);
    bool enter(Pasteboard pasteboard);
    void leave();
    // Whether the window took the drop; the drag ends either way.
    bool drop();
    bool isDragging() const { return dragged_.has_value(); }
    // The button window of the item, if it has one now.
    std::shared_ptr<Window> window() const;

private:
    std::weak_ptr<StatusItem> item_;
    std::function<void()> dropped_;
    // The drag over the target that the window took.
    std::optional<Pasteboard> dragged_;
};

} // namespace platform
