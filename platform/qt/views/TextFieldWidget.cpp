#include "platform/qt/views/TextFieldWidget.h"

#include "platform/views/ContextMenuModifier.h"
#include "platform/views/TextField.h"

namespace platform {

namespace {

TextField::Node* fieldOf(const std::weak_ptr<ViewNode>& weak, std::shared_ptr<ViewNode>& keep) {
    keep = weak.lock();
    return static_cast<TextField::Node*>(keep.get());
}

} // namespace

TextFieldWidget::TextFieldWidget(QWidget* parent, UserAction act) : QLineEdit(parent), act_(std::move(act)) {
    connect(this, &QLineEdit::textEdited, this, &TextFieldWidget::edited);
    connect(this, &QLineEdit::editingFinished, this, &TextFieldWidget::finished);
}

void TextFieldWidget::sync(ViewNode& field) {
    field_ = field.shared_from_this();
    auto& node = static_cast<TextField::Node&>(field);
    setPlaceholderText(QString::fromStdString(node.placeholder()));
    setEnabled(node.isEnabled());
    // A context menu of the row the field is in comes before the field's own
    // editing menu.
    setContextMenuPolicy(field.environment<ContextMenuModifier>() ? Qt::NoContextMenu : Qt::DefaultContextMenu);
    const QString shown = QString::fromStdString(node.text());
    if (!hasFocus() && text() != shown) {
        setText(shown);
    }
}

void TextFieldWidget::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    std::shared_ptr<ViewNode> keep;
    if (auto* node = fieldOf(field_, keep); node && !node->isEditing()) {
        act_(userEvent(EventType::leftMouseDown), [node] { node->beginEditing(); });
    }
}

void TextFieldWidget::edited(const QString& text) {
    std::shared_ptr<ViewNode> keep;
    auto* node = fieldOf(field_, keep);
    if (!node) {
        return;
    }
    const std::string typed = text.toStdString();
    const std::string key = text.isEmpty() ? std::string() : QString(text.back()).toStdString();
    act_(userEvent(EventType::keyDown, 0, key), [node, typed] {
        if (!node->isEditing()) {
            node->beginEditing();
        }
        node->replaceText(typed);
    });
}

void TextFieldWidget::finished() {
    std::shared_ptr<ViewNode> keep;
    auto* node = fieldOf(field_, keep);
    if (!node || !node->isEditing()) {
        return;
    }
    act_(userEvent(EventType::keyDown, KeyCode::tab, "\t"), [node] { node->endEditing(); });
    // A formatted field that did not take the text shows its value again.
    setText(QString::fromStdString(node->text()));
}

} // namespace platform
