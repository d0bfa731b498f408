#pragma once

#include "platform/qt/views/UserAction.h"

#include <QLineEdit>

#include <memory>

namespace platform {

class ViewNode;

// A text field's line edit. Each edit goes to the field as a keystroke does
// (the field's bound value stores it, or a formatted field waits), Return,
// Tab and a focus change end the editing, and the line shows the field's
// text again once it ends. While the person types, a rebuilt tree leaves
// the line, its cursor and its selection alone. In a view with a context
// menu of its own (a list's row), the field's menu has that view's entries
// first and its own editing ones (Cut, Copy, Paste, ...) after them.
class TextFieldWidget final : public QLineEdit {
public:
    TextFieldWidget(QWidget* parent, UserAction act);

    void sync(ViewNode& field);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void edited(const QString& text);
    void finished();

    UserAction act_;
    std::weak_ptr<ViewNode> field_;
};

} // namespace platform
