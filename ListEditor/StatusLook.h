#pragma once

#include <string_view>

namespace ListEditor {

// What a list program's status item shows: its title, its tooltip, and the
// system symbol drawn beside the title (none when the name is empty).
struct StatusLook {
    std::string_view title;
    std::string_view toolTip;
    std::string_view symbolName;
};

} // namespace ListEditor
