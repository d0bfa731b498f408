#include "platform/qt/views/TextFieldWidget.h"

#include "platform/qt/views/ContextMenuEntries.h"
#include "platform/views/ContextMenuModifier.h"
#include "platform/views/TextField.h"

#include <QContextMenuEvent>
#include <QMenu>

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

void TextFieldWidget::contextMenuEvent(QContextMenuEvent* event) {
    std::shared_ptr<ViewNode> keep = field_.lock();
    const auto* around = keep ? keep->environment<ContextMenuModifier>() : nullptr;
    if (!around) {
        QLineEdit::contextMenuEvent(event);
        return;
    }
    // Shown without a loop of its own; it goes once it has closed, and the
    // editing menu Qt made for the line with it.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    ContextMenuEntries::add(*menu, *around, act_);
    menu->addSeparator();
    QMenu* editing = createStandardContextMenu();
    editing->setParent(menu, editing->windowFlags());
    menu->addActions(editing->actions());
    menu->popup(event->globalPos());
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
