#pragma once

#include "Zivirodevevo/MenuBarButton.h"

#include "ListEditor/ListAppDelegate.h"

namespace Zivirodevevo {

using AppDelegate = ListEditor::ListAppDelegate<MenuBarButton>;

} // namespace Zivirodevevo
