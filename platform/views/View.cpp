#include "platform/views/View.h"

#include "platform/views/EmptyView.h"
#include "platform/views/ViewDescriber.h"
#include "platform/views/ViewModifiers.h"

namespace platform {

View::View() : node_(std::make_shared<EmptyView::Node>()) {}

View View::modifier(std::shared_ptr<ViewModifier> modifier) const {
    node_->addModifier(std::move(modifier));
    return *this;
}

View View::padding(double length) const {
    return padding(EdgeInsets::uniform(length));
}

View View::padding(Edges edges, double length) const {
    return padding(EdgeInsets::on(edges, length));
}

View View::padding(EdgeInsets insets) const {
    return modifier(std::make_shared<PaddingModifier>(insets));
}

View View::frame(double width, double height) const {
    FrameLimits limits;
    limits.width = width;
    limits.height = height;
    return frame(limits);
}

View View::frame(const FrameLimits& limits) const {
    return modifier(std::make_shared<FrameModifier>(limits));
}

View View::fixedSize(bool horizontal, bool vertical) const {
    return modifier(std::make_shared<FixedSizeModifier>(horizontal, vertical));
}

View View::layoutPriority(double priority) const {
    return modifier(std::make_shared<LayoutPriorityModifier>(priority));
}

View View::background(Color color) const {
    return modifier(std::make_shared<BackgroundModifier>(std::move(color)));
}

View View::clipShape(std::shared_ptr<const Shape> shape) const {
    if (!shape) {
        return *this;
    }
    return modifier(std::make_shared<ClipShapeModifier>(std::move(shape)));
}

View View::shadow(Color color, double radius, double x, double y) const {
    return modifier(std::make_shared<ShadowModifier>(std::move(color), radius, x, y));
}

View View::foregroundColor(Color color) const {
    return modifier(std::make_shared<ForegroundColorModifier>(std::move(color)));
}

View View::font(Font font) const {
    return modifier(std::make_shared<FontModifier>(std::move(font)));
}

View View::opacity(double opacity) const {
    return modifier(std::make_shared<OpacityModifier>(opacity));
}

View View::buttonStyle(ButtonStyle style) const {
    return modifier(std::make_shared<ButtonStyleModifier>(style));
}

View View::help(std::string text) const {
    return modifier(std::make_shared<HelpModifier>(std::move(text)));
}

View View::contextMenu(std::vector<View> items) const {
    return modifier(std::make_shared<ContextMenuModifier>(std::move(items)));
}

View View::keyboardShortcut(KeyboardShortcut shortcut) const {
    return modifier(std::make_shared<KeyboardShortcutModifier>(std::move(shortcut)));
}

View View::disabled(bool disabled) const {
    return modifier(std::make_shared<DisabledModifier>(disabled));
}

View View::onAppear(std::function<void()> action) const {
    return modifier(std::make_shared<AppearModifier>(std::move(action)));
}

View View::id(std::string key) const {
    node_->setKey(std::move(key));
    return *this;
}

std::string View::describe() const {
    return ViewDescriber().describe(*node_);
}

} // namespace platform
