#pragma once

#include "Zivirodevevo/Affirmation.h"

#include "ListEditor/StatusLook.h"

#include "platform/appkit/Color.h"

#include <optional>
#include <string_view>

namespace Zivirodevevo {

// What makes the list editor this program's: its record, key, texts and colours.
struct Values {
    using Entry = Affirmation;

    static constexpr std::string_view defaultsKey = "affirmations";
    static constexpr std::optional<std::string_view> saveDebugLine = "Updating";
    static constexpr bool subscribesOnMainRunLoop = true;

    static constexpr ListEditor::StatusLook status{"✋", "Launch Zivirodevevo", "checklist"};
    static constexpr std::string_view windowTitle = "Zivirodevevo";
    static platform::Color windowBackground() { return platform::Color::white(); }

    static constexpr std::string_view placeholder = "I affirm to...";
    static constexpr std::string_view deleteLabel = "Delete affirmation";
    static constexpr std::string_view addLabel = "Add affirmation";
    static constexpr std::string_view newEntryText = "New affirmation";
};

} // namespace Zivirodevevo
