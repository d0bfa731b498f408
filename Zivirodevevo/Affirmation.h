#pragma once

#include "ListEditor/ListEntry.h"

#include <cstdint>

namespace Zivirodevevo {

// One affirmation; its mark is a small number, 0 when made.
using Affirmation = ListEditor::ListEntry<std::uint8_t>;

} // namespace Zivirodevevo
