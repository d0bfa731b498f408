#pragma once

#include "DawnList/DawnListStore.h"

#include "ListEditor/EditorView.h"

namespace DawnList {

// The plans' editor.
class Dawnlist final : public ListEditor::EditorView<Values> {
public:
    using EditorView::EditorView;
};

} // namespace DawnList
