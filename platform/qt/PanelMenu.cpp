#include "platform/qt/PanelMenu.h"

#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/qt/MenuContent.h"

namespace platform {

PanelMenu::PanelMenu(std::function<std::shared_ptr<Menu>()> model, std::function<void()> closed)
    : model_(std::move(model)), closed_(std::move(closed)) {
    connect(&menu_, &QMenu::aboutToShow, this, &PanelMenu::opening);
    connect(&menu_, &QMenu::aboutToHide, this, &PanelMenu::finishSoon);
}

PanelMenu::~PanelMenu() {
    if (open_) {
        open_->close();
    }
}

void PanelMenu::opening() {
    // A panel that never said the last showing closed, or a close not yet
    // finished: the last showing ends before this one starts.
    if (open_ || finishing_) {
        finish();
    }
    auto model = model_();
    menu_.clear();
    if (!model) {
        return;
    }
    model->open();
    open_ = model;
    lastShown_ = model;
    MenuContent::fill(menu_, *model, this, [this](const std::shared_ptr<MenuItem>& entry) {
        chosen_ = entry;
        finishSoon();
    });
}

void PanelMenu::finishSoon() {
    if (!finishing_) {
        finishing_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (finishing_) {
                    finish();
                }
            },
            Qt::QueuedConnection);
    }
}

void PanelMenu::finish() {
    finishing_ = false;
    if (auto shown = std::exchange(open_, nullptr)) {
        shown->close();
    }
    if (auto entry = std::exchange(chosen_, nullptr)) {
        if (auto root = lastShown_.lock()) {
            MenuContent::choose(*root, entry);
        }
    }
    if (closed_) {
        closed_();
    }
}

} // namespace platform
