#pragma once

#include "platform/views/View.h"
#include "platform/views/ViewModifier.h"

#include <utility>
#include <vector>

namespace platform {

// The menu a secondary click on the view opens: its items are buttons, and
// choosing one runs the button's action.
class ContextMenuModifier final : public ViewModifier {
public:
    explicit ContextMenuModifier(std::vector<View> items) : items_(std::move(items)) {}

    const std::vector<View>& items() const { return items_; }

    // The items are listed under the view, so the modifier only names itself.
    std::string describe() const override { return ".contextMenu"; }

private:
    std::vector<View> items_;
};

} // namespace platform
