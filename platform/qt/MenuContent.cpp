#include "platform/qt/MenuContent.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Event.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"

#include "platform/runloop/Clock.h"

#include <QMenu>

namespace platform {

namespace {

// Qt reads "&" as a mnemonic marker; the model's titles mean the character.
QString menuText(const std::string& title) { return QString::fromStdString(title).replace('&', QStringLiteral("&&")); }

} // namespace

void MenuContent::fill(QMenu& menu, Menu& model, QObject* context, const Chosen& chosen) {
    for (const auto& entry : model.items()) {
        if (entry->isSeparatorItem()) {
            menu.addSeparator();
            continue;
        }
        if (auto submenu = entry->submenu()) {
            submenu->update();
            auto* sub = menu.addMenu(menuText(entry->title()));
            fill(*sub, *submenu, context, chosen);
            sub->setEnabled(entry->isEnabled());
            QObject::connect(sub, &QMenu::aboutToShow, context, [sub, context, chosen, weak = std::weak_ptr(submenu)] {
                if (auto opened = weak.lock()) {
                    opened->open();
                    sub->clear();
                    fill(*sub, *opened, context, chosen);
                }
            });
            QObject::connect(sub, &QMenu::aboutToHide, context, [weak = std::weak_ptr(submenu)] {
                if (auto closed = weak.lock()) {
                    closed->close();
                }
            });
            continue;
        }
        auto* action = menu.addAction(menuText(entry->title()));
        action->setEnabled(entry->isEnabled());
        QObject::connect(action, &QAction::triggered, context, [chosen, weak = std::weak_ptr(entry)] {
            if (auto triggered = weak.lock()) {
                chosen(triggered);
            }
        });
    }
}

void MenuContent::choose(Menu& root, const std::shared_ptr<MenuItem>& entry) {
    Event release;
    release.type = EventType::leftMouseUp;
    release.timestamp = Clock::current().uptime();
    Application::shared().dispatch(release, [&] { root.choose(entry); });
}

} // namespace platform
