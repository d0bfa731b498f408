#pragma once

#include "platform/appkit/Object.h"

#include <memory>
#include <string>

namespace platform {

class Menu;
class StatusBarButton;

// One item in the system status bar: a button, and optionally a menu that
// any click on the button opens instead of sending the button's action.
class StatusItem : public Object {
public:
    static constexpr double variableLength = -1.0;
    static constexpr double squareLength = -2.0;

    ~StatusItem() override;

    // A number naming the item in listings, unique in the process.
    int itemNumber() const { return number_; }

    double length() const { return length_; }
    void setLength(double length) { length_ = length; }
    // "variable", "square" or the width in points.
    std::string describeLength() const;

    // Made with the item; the item has one as long as it is in the bar.
    std::shared_ptr<StatusBarButton> button() const { return button_; }

    std::shared_ptr<Menu> menu() const { return menu_; }
    void setMenu(std::shared_ptr<Menu> menu) { menu_ = std::move(menu); }

    bool isVisible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }

private:
    friend class StatusBar;
    explicit StatusItem(double length);
    // The button's window comes on the next turn of the run loop.
    void makeButton();

    int number_;
    double length_;
    std::shared_ptr<StatusBarButton> button_;
    std::shared_ptr<Menu> menu_;
    bool visible_ = true;
};

} // namespace platform
