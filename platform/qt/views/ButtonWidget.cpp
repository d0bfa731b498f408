#include "platform/qt/views/ButtonWidget.h"

#include "platform/views/Button.h"

#include <QLayout>

namespace platform {

ButtonWidget::ButtonWidget(QWidget* parent, UserAction act) : QPushButton(parent), act_(std::move(act)) {
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ButtonWidget::clickedByUser);
}

void ButtonWidget::sync(ViewNode& button, bool textLabel) {
    button_ = button.shared_from_this();
    auto& node = static_cast<Button::Node&>(button);
    setText(textLabel ? QString::fromStdString(node.title()).replace('&', QStringLiteral("&&")) : QString());
    setEnabled(node.isEnabled());
    const ButtonStyle style = node.style();
    setFlat(style == ButtonStyle::borderless || style == ButtonStyle::plain);
    // Setting a style sheet restyles the button even when it is the same one.
    const QString sheet = style == ButtonStyle::plain
                              ? QStringLiteral("QPushButton { border: none; background: transparent; padding: 0; }")
                              : QString();
    if (styleSheet() != sheet) {
        setStyleSheet(sheet);
    }
}

// A label of views sizes the button; Qt's hint counts only a text or icon.
QSize ButtonWidget::sizeHint() const {
    return layout() && text().isEmpty() ? layout()->sizeHint().expandedTo(QSize(1, 1)) : QPushButton::sizeHint();
}

QSize ButtonWidget::minimumSizeHint() const {
    return layout() && text().isEmpty() ? layout()->minimumSize() : QPushButton::minimumSizeHint();
}

void ButtonWidget::clickedByUser() {
    auto keep = button_.lock();
    if (!keep) {
        return;
    }
    auto* node = static_cast<Button::Node*>(keep.get());
    act_(userEvent(EventType::leftMouseUp), [node] { node->press(); });
}

} // namespace platform
