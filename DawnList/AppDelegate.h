#pragma once

#include "DawnList/MenuBarButton.h"

#include "ListEditor/ListAppDelegate.h"

namespace DawnList {

using AppDelegate = ListEditor::ListAppDelegate<MenuBarButton>;

} // namespace DawnList
