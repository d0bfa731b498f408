#pragma once

#include "Zivirodevevo/ContentView.h"
#include "Zivirodevevo/Values.h"

#include "ListEditor/ListMenuBarButton.h"

namespace Zivirodevevo {

// The ✋ item and the affirmations window it toggles.
using MenuBarButton = ListEditor::ListMenuBarButton<Values, ContentView>;

} // namespace Zivirodevevo
