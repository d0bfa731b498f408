#pragma once

#include "DawnList/Values.h"

#include "ListEditor/ListStore.h"

namespace DawnList {

// The plans, kept under "dawnLists"; saving prints nothing.
using DawnListStore = ListEditor::ListStore<Values>;

} // namespace DawnList
