#include "platform/qt/MenuPopup.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/runloop/Clock.h"

namespace platform {

namespace {

// Qt reads "&" as a mnemonic marker; the model's titles mean the character.
QString menuText(const std::string& title) { return QString::fromStdString(title).replace('&', QStringLiteral("&&")); }

} // namespace

MenuPopup::MenuPopup(std::shared_ptr<Menu> menu, std::function<void()> closed)
    : menu_(std::move(menu)), closed_(std::move(closed)) {
    // Hiding comes first, the chosen action's signal after it, both in the
    // same event: finishing on a later pass sees both.
    connect(&popup_, &QMenu::aboutToHide, this,
            [this] { QMetaObject::invokeMethod(this, &MenuPopup::finish, Qt::QueuedConnection); });
}

MenuPopup::~MenuPopup() {
    if (menu_->isOpen()) {
        menu_->close();
    }
}

void MenuPopup::popUp(const QPoint& at) {
    menu_->open();
    fill(popup_, *menu_);
    popup_.popup(at);
}

void MenuPopup::dismiss() { popup_.hide(); }

void MenuPopup::fill(QMenu& popup, Menu& menu) {
    for (const auto& entry : menu.items()) {
        if (entry->isSeparatorItem()) {
            popup.addSeparator();
            continue;
        }
        if (auto submenu = entry->submenu()) {
            submenu->update();
            auto* sub = popup.addMenu(menuText(entry->title()));
            fill(*sub, *submenu);
            sub->setEnabled(entry->isEnabled());
            // As it is about to show, the model's submenu opens, so a delegate
            // that fills it only then (a folder's entries) is asked, and the
            // popup shows what it holds now; hiding it closes it again.
            connect(sub, &QMenu::aboutToShow, this, [this, sub, weak = std::weak_ptr<Menu>(submenu)] {
                if (auto model = weak.lock()) {
                    model->open();
                    sub->clear();
                    fill(*sub, *model);
                }
            });
            connect(sub, &QMenu::aboutToHide, this, [weak = std::weak_ptr<Menu>(submenu)] {
                if (auto model = weak.lock()) {
                    model->close();
                }
            });
            continue;
        }
        auto* action = popup.addAction(menuText(entry->title()));
        action->setEnabled(entry->isEnabled());
        connect(action, &QAction::triggered, this, [this, weak = std::weak_ptr<MenuItem>(entry)] {
            chosen_ = weak.lock();
        });
    }
}

void MenuPopup::finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    menu_->close();
    if (auto entry = std::move(chosen_)) {
        Event release;
        release.type = EventType::leftMouseUp;
        release.timestamp = Clock::current().uptime();
        Application::shared().dispatch(release, [&] { menu_->choose(entry); });
    }
    if (closed_) {
        closed_();
    }
}

} // namespace platform
