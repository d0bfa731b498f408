#pragma once

#include "Zivirodevevo/Rizoveraruzoror.h"

#include "ListEditor/StoreContentView.h"

namespace Zivirodevevo {

// The list window's root, holding the store.
class ContentView final : public ListEditor::StoreContentView<Rizoveraruzoror> {
public:
    using StoreContentView::StoreContentView;
};

} // namespace Zivirodevevo
