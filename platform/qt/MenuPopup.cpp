#include "platform/qt/MenuPopup.h"

#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/qt/MenuContent.h"

namespace platform {

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
    MenuContent::fill(popup_, *menu_, this, [this](const std::shared_ptr<MenuItem>& entry) { chosen_ = entry; });
    popup_.popup(at);
}

void MenuPopup::dismiss() { popup_.hide(); }

void MenuPopup::finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    menu_->close();
    if (auto entry = std::move(chosen_)) {
        MenuContent::choose(*menu_, entry);
    }
    if (closed_) {
        closed_();
    }
}

} // namespace platform
