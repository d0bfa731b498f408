#pragma once

#include "DawnList/ContentView.h"
#include "DawnList/Values.h"

#include "ListEditor/ListMenuBarButton.h"

namespace DawnList {

// The 🌅 item and the plans window it toggles.
using MenuBarButton = ListEditor::ListMenuBarButton<Values, ContentView>;

} // namespace DawnList
