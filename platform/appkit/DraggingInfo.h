#pragma once

#include "platform/appkit/Pasteboard.h"

namespace platform {

// The operations a drag destination may answer (bit values of the platform).
enum class DragOperation : unsigned {
    none = 0,
    copy = 1,
    link = 2,
    generic = 4,
    move = 16,
    deleteOperation = 32,
};

// What a drag destination is told about the drag over it.
class DraggingInfo {
public:
    explicit DraggingInfo(Pasteboard pasteboard) : pasteboard_(std::move(pasteboard)) {}

    const Pasteboard& draggingPasteboard() const { return pasteboard_; }

private:
    Pasteboard pasteboard_;
};

} // namespace platform
