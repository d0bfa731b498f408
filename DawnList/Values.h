#pragma once

#include "DawnList/DawnList.h"

#include "ListEditor/StatusLook.h"

#include "platform/appkit/Color.h"

#include <optional>
#include <string_view>

namespace DawnList {

// What makes the list editor this program's: its record, key, texts and colours.
struct Values {
    using Entry = DawnList;

    static constexpr std::string_view defaultsKey = "dawnLists";
    static constexpr std::optional<std::string_view> saveDebugLine = std::nullopt;
    static constexpr bool subscribesOnMainRunLoop = false;

    // The sunrise alone: the empty symbol name makes no image.
    static constexpr ListEditor::StatusLook status{"🌅", "Launch Dawn List", ""};
    static constexpr std::string_view windowTitle = "Dawn Lists";
    static platform::Color windowBackground() { return platform::Color::windowBackground(); }

    static constexpr std::string_view placeholder = "6:00am Make a new plan here";
    static constexpr std::string_view deleteLabel = "Delete dawn list";
    static constexpr std::string_view addLabel = "Add a dawn list";
    static constexpr std::string_view newEntryText = "";
};

} // namespace DawnList
