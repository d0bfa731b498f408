#pragma once

#include "Zivirodevevo/Values.h"

#include "ListEditor/ListStore.h"

namespace Zivirodevevo {

// The affirmations, kept under "affirmations"; each save prints "Updating".
using VeveduravudiZuded = ListEditor::ListStore<Values>;

} // namespace Zivirodevevo
