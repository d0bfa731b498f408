#include "platform/qt/views/ContextMenuEntries.h"

#include "platform/views/Button.h"
#include "platform/views/ContextMenuModifier.h"

#include <QMenu>

#include <memory>

namespace platform {

void ContextMenuEntries::add(QMenu& menu, const ContextMenuModifier& modifier, const UserAction& act) {
    for (const View& item : modifier.items()) {
        auto* button = dynamic_cast<Button::Node*>(&item.node());
        if (!button) {
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(button->title()).replace('&', QStringLiteral("&&")));
        action->setEnabled(button->isEnabled());
        QObject::connect(action, &QAction::triggered, &menu, [act, weak = std::weak_ptr<ViewNode>(item.shared())] {
            if (auto pressed = weak.lock()) {
                act(userEvent(EventType::leftMouseUp), [pressed] { static_cast<Button::Node&>(*pressed).press(); });
            }
        });
    }
}

} // namespace platform
