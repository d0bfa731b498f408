#pragma once

#include "platform/qt/views/UserAction.h"

#include <QPushButton>

#include <memory>

namespace platform {

class ViewNode;

// A button: a push button with the label's text, or with the label's own
// views inside it. Its style decides the border: the platform's bordered
// push button, a flat one, or the bare label.
class ButtonWidget final : public QPushButton {
public:
    ButtonWidget(QWidget* parent, UserAction act);

    void sync(ViewNode& button, bool textLabel);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    void clickedByUser();

    UserAction act_;
    std::weak_ptr<ViewNode> button_;
};

} // namespace platform
