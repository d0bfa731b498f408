#pragma once

#include "ListEditor/ListEntry.h"

namespace DawnList {

// One plan of the day; its mark is a flag, false when made.
using DawnList = ListEditor::ListEntry<bool>;

} // namespace DawnList
