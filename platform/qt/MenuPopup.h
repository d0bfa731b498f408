#pragma once

#include <QMenu>
#include <QObject>

#include <functional>
#include <memory>

namespace platform {

class Menu;
class MenuItem;

// A status item's menu while it is open, shown as a Qt popup. Opening it
// opens the model's menu (its delegate rebuilds it, its entries are
// validated, the run loop enters event tracking); once Qt hides the popup,
// the model's menu closes and the chosen entry's action goes out. Qt's
// popup runs in Qt's own loop: nothing here nests a loop.
class MenuPopup final : public QObject {
public:
    // `closed` runs once the menu has closed and any action was sent.
    MenuPopup(std::shared_ptr<Menu> menu, std::function<void()> closed);
    ~MenuPopup() override;

    void popUp(const QPoint& at);
    void dismiss();
    const std::shared_ptr<Menu>& menu() const { return menu_; }
    // The popup as Qt shows it.
    QMenu& popup() { return popup_; }

private:
    void finish();

    std::shared_ptr<Menu> menu_;
    std::function<void()> closed_;
    QMenu popup_;
    std::shared_ptr<MenuItem> chosen_;
    bool finished_ = false;
};

} // namespace platform
