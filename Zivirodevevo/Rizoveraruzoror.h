#pragma once

#include "Zivirodevevo/VeveduravudiZuded.h"

#include "ListEditor/EditorView.h"

namespace Zivirodevevo {

// The affirmations' editor.
class Rizoveraruzoror final : public ListEditor::EditorView<Values> {
public:
    using EditorView::EditorView;
};

} // namespace Zivirodevevo
