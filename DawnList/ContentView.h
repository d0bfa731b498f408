#pragma once

#include "DawnList/Dawnlist.h"

#include "ListEditor/StoreContentView.h"

namespace DawnList {

// The root of a plans window, holding its store.
class ContentView final : public ListEditor::StoreContentView<Dawnlist> {
public:
    using StoreContentView::StoreContentView;
};

} // namespace DawnList
