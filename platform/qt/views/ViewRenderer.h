#pragma once

#include "platform/qt/views/UserAction.h"

#include <Qt>

#include <memory>
#include <string>
#include <vector>

class QBoxLayout;
class QGridLayout;
class QLayout;
class QWidget;

namespace platform {

class ViewBox;
class ViewNode;

// Shows a view tree as widgets and keeps them in step with it. After each
// rebuild the tree is walked beside the widgets of the last one: a view of
// the same kind with as many children keeps its widget, which takes the new
// texts, values and modifiers in place (a field being typed into keeps its
// focus and cursor); a view whose kind or children changed gets new widgets
// for itself and what is inside it.
class ViewRenderer {
public:
    explicit ViewRenderer(UserAction act);
    ~ViewRenderer();

    // The root's box, the same one as last time where the root kept its kind.
    ViewBox* sync(ViewNode& root, QWidget* parent);

private:
    struct Rendered;
    // Whether a view inside takes the space offered along each axis.
    struct Expansion {
        bool horizontal = false;
        bool vertical = false;
    };
    struct Placement {
        QWidget* widget;
        int stretch;
        Qt::Alignment alignment;
    };

    std::unique_ptr<Rendered> render(ViewNode& node, std::unique_ptr<Rendered> previous, QWidget* parent);
    void makeContent(Rendered& rendered, ViewNode& node);
    void updateContent(Rendered& rendered, ViewNode& node);
    // The children's boxes, kept or made anew, placed in the content's layout.
    void renderChildren(Rendered& rendered, const std::vector<ViewNode*>& children, QWidget* parent);
    Expansion place(Rendered& rendered, ViewNode& node);
    // Lays the widgets out in this order, before the last `kept` items.
    static void lay(QLayout& layout, const std::vector<Placement>& placements, int kept);

    UserAction act_;
    std::unique_ptr<Rendered> root_;
};

} // namespace platform
