#include "platform/qt/views/ViewRenderer.h"

#include "platform/qt/views/ButtonWidget.h"
#include "platform/qt/views/QtColors.h"
#include "platform/qt/views/QtFonts.h"
#include "platform/qt/views/ShapeWidget.h"
#include "platform/qt/views/SliderWidget.h"
#include "platform/qt/views/SymbolLabel.h"
#include "platform/qt/views/TextFieldWidget.h"
#include "platform/qt/views/ViewBox.h"
#include "platform/views/Button.h"
#include "platform/views/EmptyView.h"
#include "platform/views/FontModifier.h"
#include "platform/views/HelpModifier.h"
#include "platform/views/ForEach.h"
#include "platform/views/ForegroundColorModifier.h"
#include "platform/views/Form.h"
#include "platform/views/List.h"
#include "platform/views/ShapeView.h"
#include "platform/views/Slider.h"
#include "platform/views/Spacer.h"
#include "platform/views/Stack.h"
#include "platform/views/SymbolImage.h"
#include "platform/views/Text.h"
#include "platform/views/TextField.h"
#include "platform/views/Toggle.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace platform {

namespace {

// The platform's spacing between the views of a stack that names none.
constexpr int defaultSpacing = 8;

enum class Kind { text, field, button, slider, toggle, spacer, image, shape, empty, stack, list, form, group };

Kind kindOf(const ViewNode& node) {
    if (dynamic_cast<const Text::Node*>(&node)) return Kind::text;
    if (dynamic_cast<const TextField::Node*>(&node)) return Kind::field;
    if (dynamic_cast<const Button::Node*>(&node)) return Kind::button;
    if (dynamic_cast<const Slider::Node*>(&node)) return Kind::slider;
    if (dynamic_cast<const Toggle::Node*>(&node)) return Kind::toggle;
    if (dynamic_cast<const Spacer::Node*>(&node)) return Kind::spacer;
    if (dynamic_cast<const SymbolImage::Node*>(&node)) return Kind::image;
    if (dynamic_cast<const ShapeView::Node*>(&node)) return Kind::shape;
    if (dynamic_cast<const EmptyView::Node*>(&node)) return Kind::empty;
    if (dynamic_cast<const StackNode*>(&node)) return Kind::stack;
    if (dynamic_cast<const List::Node*>(&node)) return Kind::list;
    if (dynamic_cast<const Form::Node*>(&node)) return Kind::form;
    return Kind::group; // a component's body, rows outside a stack
}

// A button whose label is a bare text shows it as its own title.
bool hasTextLabel(const ViewNode& button) { return !button.children().empty() && !button.listsChild(0); }

// The views a container lays out: the rows of a ForEach count as its own.
void addContentChildren(const ViewNode& node, std::vector<ViewNode*>& out) {
    for (const View& child : node.children()) {
        if (dynamic_cast<const ForEach::Node*>(&child.node()) && child.node().modifiers().empty()) {
            addContentChildren(child.node(), out);
        } else {
            out.push_back(&child.node());
        }
    }
}

std::vector<ViewNode*> contentChildren(const ViewNode& node) {
    std::vector<ViewNode*> children;
    switch (kindOf(node)) {
    case Kind::text:
    case Kind::field:
    case Kind::toggle:
    case Kind::spacer:
    case Kind::image:
    case Kind::shape:
    case Kind::empty: return children;
    case Kind::button:
        if (hasTextLabel(node)) {
            return children;
        }
        break;
    default: break;
    }
    addContentChildren(node, children);
    return children;
}

// What must match for a widget to be kept: the kind, its axis, how it
// shows its label, and how many views a control lays out.
std::string signatureOf(const ViewNode& node) {
    std::string signature = node.kind();
    if (const auto* stack = dynamic_cast<const StackNode*>(&node)) {
        signature += "/" + std::to_string(static_cast<int>(stack->axis()));
    }
    if (kindOf(node) == Kind::button) {
        signature += hasTextLabel(node) ? "/text" : "/views";
    }
    if (const auto* slider = dynamic_cast<const Slider::Node*>(&node)) {
        for (std::size_t i = 0; i < slider->children().size(); ++i) {
            signature += "/" + slider->childRole(i);
        }
    }
    // A view's own identity (a row's, or one given with .id()) is matched too.
    if (!node.key().empty()) {
        signature += "@" + node.key();
    }
    // A container keeps its widget (and the one that has the keyboard in it)
    // when views come or go: its children are matched one by one.
    switch (kindOf(node)) {
    case Kind::stack:
    case Kind::list:
    case Kind::form:
    case Kind::group: return signature;
    default: return signature + "#" + std::to_string(contentChildren(node).size());
    }
}

Qt::Alignment horizontalFlag(HorizontalAlignment alignment) {
    switch (alignment) {
    case HorizontalAlignment::leading: return Qt::AlignLeading;
    case HorizontalAlignment::center: return Qt::AlignHCenter;
    case HorizontalAlignment::trailing: return Qt::AlignTrailing;
    }
    return Qt::AlignHCenter;
}

Qt::Alignment verticalFlag(VerticalAlignment alignment) {
    switch (alignment) {
    case VerticalAlignment::top: return Qt::AlignTop;
    case VerticalAlignment::center:
    case VerticalAlignment::firstTextBaseline: return Qt::AlignVCenter;
    case VerticalAlignment::bottom: return Qt::AlignBottom;
    }
    return Qt::AlignVCenter;
}

// A font or colour set on a view; the views inside inherit it as Qt's
// widgets inherit their parent's, and a view without one inherits again.
void applyEnvironment(QWidget& box, const ViewNode& node) {
    const auto* font = node.modifier<FontModifier>();
    box.setFont(font ? QtFonts::resolve(font->font(), QApplication::font()) : QFont());
    QPalette palette;
    if (const auto* foreground = node.modifier<ForegroundColorModifier>()) {
        const QColor color = QtColors::resolve(foreground->color(), box.palette());
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            palette.setColor(role, color);
        }
    }
    box.setPalette(palette);
}

// What a screen reader calls a control: its help text, else a field's
// placeholder or a slider's label; empty where the control's own text says it
// (a button's title, a switch's label).
QString accessibleNameOf(const ViewNode& node) {
    if (const auto* help = node.modifier<HelpModifier>()) {
        return QString::fromStdString(help->text());
    }
    if (const auto* field = dynamic_cast<const TextField::Node*>(&node)) {
        return QString::fromStdString(field->placeholder());
    }
    if (const auto* slider = dynamic_cast<const Slider::Node*>(&node)) {
        for (std::size_t i = 0; i < slider->children().size(); ++i) {
            const auto* label = dynamic_cast<const Text::Node*>(&slider->children()[i].node());
            if (label && slider->childRole(i) == "label") {
                return QString::fromStdString(label->content());
            }
        }
    }
    return {};
}

} // namespace

struct ViewRenderer::Rendered {
    std::string signature;
    Kind kind = Kind::group;
    ViewBox* box = nullptr;
    // The control or drawing of a leaf view.
    QWidget* leaf = nullptr;
    // Where the children's boxes go.
    QLayout* childLayout = nullptr;
    QWidget* childParent = nullptr;
    std::vector<std::unique_ptr<Rendered>> children;
};

ViewRenderer::ViewRenderer(UserAction act) : act_(std::move(act)) {}

ViewRenderer::~ViewRenderer() = default;

ViewBox* ViewRenderer::sync(ViewNode& root, QWidget* parent) {
    root_ = render(root, std::move(root_), parent);
    return root_->box;
}

std::unique_ptr<ViewRenderer::Rendered> ViewRenderer::render(ViewNode& node, std::unique_ptr<Rendered> previous,
                                                             QWidget* parent) {
    const std::string signature = signatureOf(node);
    if (!previous || previous->signature != signature) {
        if (previous) {
            previous->box->hide();
            previous->box->deleteLater();
        }
        previous = std::make_unique<Rendered>();
        previous->signature = signature;
        previous->kind = kindOf(node);
        previous->box = new ViewBox(parent, act_);
        makeContent(*previous, node);
    }
    Rendered& rendered = *previous;
    applyEnvironment(*rendered.box, node);
    updateContent(rendered, node);
    if (rendered.leaf) {
        rendered.leaf->setAccessibleName(accessibleNameOf(node));
    }
    renderChildren(rendered, contentChildren(node), rendered.childParent);
    // The size policy is the content's own (a container is as large as its
    // views need), then what the children ask, then the frame the modifiers
    // give, which has the last word; the box takes only the result.
    QSizePolicy policy = rendered.leaf ? rendered.leaf->sizePolicy()
                                       : QSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    const Expansion inside = place(rendered, node);
    if (rendered.kind == Kind::stack || rendered.kind == Kind::group || rendered.kind == Kind::form) {
        if (inside.horizontal) {
            policy.setHorizontalPolicy(QSizePolicy::Expanding);
        }
        if (inside.vertical) {
            policy.setVerticalPolicy(QSizePolicy::Expanding);
        }
    }
    rendered.box->applyModifiers(node, policy);
    return previous;
}

void ViewRenderer::makeContent(Rendered& rendered, ViewNode& node) {
    ViewBox& box = *rendered.box;
    QBoxLayout& layout = box.contentLayout();
    auto leaf = [&](QWidget* widget) {
        rendered.leaf = widget;
        layout.addWidget(widget);
    };
    auto childBox = [&](QLayout* childLayout, QWidget* childParent) {
        rendered.childLayout = childLayout;
        rendered.childParent = childParent;
    };
    switch (rendered.kind) {
    case Kind::text: {
        auto* label = new QLabel(&box);
        label->setTextFormat(Qt::PlainText);
        label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        leaf(label);
        break;
    }
    case Kind::field: leaf(new TextFieldWidget(&box, act_)); break;
    case Kind::button: {
        auto* button = new ButtonWidget(&box, act_);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        leaf(button);
        if (!hasTextLabel(node)) {
            auto* inside = new QVBoxLayout(button);
            inside->setContentsMargins(0, 0, 0, 0);
            childBox(inside, button);
        }
        break;
    }
    case Kind::slider: {
        auto* row = new QHBoxLayout;
        row->setSpacing(defaultSpacing);
        layout.addLayout(row);
        rendered.leaf = new SliderWidget(&box, act_);
        childBox(row, &box);
        break;
    }
    case Kind::toggle: {
        auto* toggle = new QCheckBox(&box);
        toggle->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        leaf(toggle);
        break;
    }
    case Kind::spacer: {
        auto* space = new QWidget(&box);
        space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        leaf(space);
        break;
    }
    case Kind::image: leaf(new SymbolLabel(&box)); break;
    case Kind::shape: leaf(new ShapeWidget(&box)); break;
    case Kind::empty: break;
    case Kind::stack: {
        const auto& stack = static_cast<const StackNode&>(node);
        QLayout* children = nullptr;
        if (stack.axis() == StackNode::Axis::depth) {
            auto* grid = new QGridLayout;
            grid->setContentsMargins(0, 0, 0, 0);
            children = grid;
        } else {
            auto* line = new QBoxLayout(stack.axis() == StackNode::Axis::vertical ? QBoxLayout::TopToBottom
                                                                                   : QBoxLayout::LeftToRight);
            line->setContentsMargins(0, 0, 0, 0);
            line->setSpacing(stack.spacing() ? static_cast<int>(std::lround(*stack.spacing())) : defaultSpacing);
            children = line;
        }
        layout.addLayout(children);
        childBox(children, &box);
        break;
    }
    case Kind::list: {
        auto* scroll = new QScrollArea(&box);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        auto* rows = new QWidget;
        rows->setAutoFillBackground(true);
        rows->setBackgroundRole(QPalette::Base);
        auto* column = new QVBoxLayout(rows);
        column->setContentsMargins(8, 8, 8, 8);
        column->setSpacing(4);
        column->addStretch(1);
        scroll->setWidget(rows);
        scroll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        leaf(scroll);
        childBox(column, rows);
        break;
    }
    case Kind::form: {
        auto* column = new QVBoxLayout;
        column->setContentsMargins(20, 20, 20, 20);
        column->setSpacing(12);
        layout.addLayout(column);
        childBox(column, &box);
        break;
    }
    case Kind::group: {
        auto* column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        layout.addLayout(column);
        childBox(column, &box);
        break;
    }
    }
}

void ViewRenderer::updateContent(Rendered& rendered, ViewNode& node) {
    switch (rendered.kind) {
    case Kind::text: {
        auto* label = static_cast<QLabel*>(rendered.leaf);
        label->setText(QString::fromStdString(static_cast<Text::Node&>(node).content()));
        break;
    }
    case Kind::field: {
        static_cast<TextFieldWidget*>(rendered.leaf)->sync(node);
        break;
    }
    case Kind::button: {
        static_cast<ButtonWidget*>(rendered.leaf)->sync(node, hasTextLabel(node));
        break;
    }
    case Kind::slider: static_cast<SliderWidget*>(rendered.leaf)->sync(node); break;
    case Kind::toggle: {
        auto* toggle = static_cast<QCheckBox*>(rendered.leaf);
        auto& model = static_cast<Toggle::Node&>(node);
        const QSignalBlocker quiet(toggle);
        toggle->setText(QString::fromStdString(model.label()).replace('&', QStringLiteral("&&")));
        toggle->setChecked(model.isOn());
        toggle->setEnabled(model.isEnabled());
        // The switch acts on the node of this build.
        QObject::disconnect(toggle, &QCheckBox::clicked, nullptr, nullptr);
        QObject::connect(toggle, &QCheckBox::clicked, toggle,
                         [act = act_, weak = std::weak_ptr<ViewNode>(node.shared_from_this())] {
                             if (auto keep = weak.lock()) {
                                 act(userEvent(EventType::leftMouseUp),
                                     [keep] { static_cast<Toggle::Node&>(*keep).toggle(); });
                             }
                         });
        break;
    }
    case Kind::spacer: {
        const auto& minLength = static_cast<Spacer::Node&>(node).minLength();
        const int length = minLength ? static_cast<int>(std::lround(*minLength)) : 0;
        rendered.leaf->setMinimumSize(length, length);
        break;
    }
    case Kind::image: {
        static_cast<SymbolLabel*>(rendered.leaf)->sync(node);
        break;
    }
    case Kind::shape: {
        static_cast<ShapeWidget*>(rendered.leaf)->sync(node);
        break;
    }
    case Kind::empty:
    case Kind::stack:
    case Kind::list:
    case Kind::form:
    case Kind::group: break;
    }
}

// Each view takes the next widget of its kind and identity, in order, so
// that a view coming or going between others (a line with an identity of
// its own that says a price was refused, a row deleted) leaves the others
// their widgets, and the keyboard where it was.
void ViewRenderer::renderChildren(Rendered& rendered, const std::vector<ViewNode*>& children, QWidget* parent) {
    std::vector<std::unique_ptr<Rendered>> kept = std::move(rendered.children);
    rendered.children.clear();
    std::size_t next = 0;
    for (ViewNode* child : children) {
        const std::string signature = signatureOf(*child);
        std::unique_ptr<Rendered> previous;
        for (std::size_t i = next; i < kept.size(); ++i) {
            if (kept[i]->signature == signature) {
                previous = std::move(kept[i]);
                next = i + 1;
                break;
            }
        }
        rendered.children.push_back(render(*child, std::move(previous), parent));
    }
    for (const auto& unused : kept) {
        if (unused) {
            unused->box->hide();
            unused->box->deleteLater();
        }
    }
}

// Puts the children's boxes in the content's layout, in order, each aligned
// as its container asks unless it takes the space across; says whether one
// of them takes the space offered. A layout that holds them so already is
// left alone, so an unchanged tree costs no layout pass.
ViewRenderer::Expansion ViewRenderer::place(Rendered& rendered, ViewNode& node) {
    const auto expansion = [&rendered] {
        Expansion inside;
        for (const auto& child : rendered.children) {
            inside.horizontal = inside.horizontal || child->box->expandsHorizontally();
            inside.vertical = inside.vertical || child->box->expandsVertically();
        }
        return inside;
    };
    if (!rendered.childLayout) {
        return expansion();
    }
    std::vector<Placement> placements;
    if (rendered.kind == Kind::slider) {
        // The label, the lower end, the track, the upper end.
        auto& slider = static_cast<Slider::Node&>(node);
        for (const char* role : {"label", "minimumValueLabel", "", "maximumValueLabel"}) {
            if (*role == '\0') {
                placements.push_back({rendered.leaf, 1, Qt::Alignment()});
                continue;
            }
            for (std::size_t i = 0; i < rendered.children.size(); ++i) {
                if (slider.childRole(i) == role) {
                    placements.push_back({rendered.children[i]->box, 0, Qt::AlignVCenter});
                }
            }
        }
        lay(*rendered.childLayout, placements, 0);
        return expansion();
    }
    const auto* stack = dynamic_cast<const StackNode*>(&node);
    const auto axis = stack ? stack->axis() : StackNode::Axis::vertical;
    // Rows of lists and forms start at the leading edge; a body sits in the
    // middle of the space it is given, as the platform's hosting views put it.
    const bool rows = rendered.kind == Kind::list || rendered.kind == Kind::form;
    const Alignment alignment = stack ? stack->alignment()
                                      : Alignment{rows ? HorizontalAlignment::leading : HorizontalAlignment::center};
    for (const auto& child : rendered.children) {
        ViewBox* box = child->box;
        if (child->kind == Kind::spacer) {
            // A spacer pushes along its stack only.
            const QSizePolicy along = axis == StackNode::Axis::horizontal
                                          ? QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum)
                                          : QSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
            child->leaf->setSizePolicy(along);
            box->setSizePolicy(along);
        }
        Qt::Alignment flags;
        if (axis == StackNode::Axis::vertical && !box->expandsHorizontally()) {
            flags = horizontalFlag(alignment.horizontal);
        } else if (axis == StackNode::Axis::horizontal && !box->expandsVertically()) {
            flags = verticalFlag(alignment.vertical);
        } else if (axis == StackNode::Axis::depth) {
            flags = (box->expandsHorizontally() ? Qt::Alignment() : horizontalFlag(alignment.horizontal)) |
                    (box->expandsVertically() ? Qt::Alignment() : verticalFlag(alignment.vertical));
        }
        placements.push_back({box, child->kind == Kind::spacer ? 1 : 0, flags});
    }
    // The stretch at the end of a list's rows stays last.
    lay(*rendered.childLayout, placements, rendered.kind == Kind::list ? 1 : 0);
    return expansion();
}

void ViewRenderer::lay(QLayout& layout, const std::vector<Placement>& placements, int kept) {
    auto* line = dynamic_cast<QBoxLayout*>(&layout);
    bool held = layout.count() == static_cast<int>(placements.size()) + kept;
    for (std::size_t i = 0; held && i < placements.size(); ++i) {
        const int at = static_cast<int>(i);
        QLayoutItem* item = layout.itemAt(at);
        held = item->widget() == placements[i].widget && item->alignment() == placements[i].alignment &&
               (!line || line->stretch(at) == placements[i].stretch);
    }
    if (held) {
        return;
    }
    while (layout.count() > kept) {
        delete layout.takeAt(0);
    }
    int index = 0;
    for (const Placement& placement : placements) {
        if (line) {
            line->insertWidget(index++, placement.widget, placement.stretch, placement.alignment);
        } else {
            static_cast<QGridLayout&>(layout).addWidget(placement.widget, 0, 0, placement.alignment);
        }
        // Later views of a depth stack are drawn above the earlier ones.
        placement.widget->raise();
        placement.widget->show();
    }
}

} // namespace platform
