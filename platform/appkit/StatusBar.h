#pragma once

#include <memory>
#include <vector>

namespace platform {

class StatusItem;

// The system status bar, which holds the status items of the program.
class StatusBar {
public:
    static StatusBar& system();

    // The height of the bar, in points.
    double thickness() const { return 22.0; }

    // A new item of the given length: a fixed width in points, or
    // StatusItem::variableLength / StatusItem::squareLength.
    std::shared_ptr<StatusItem> statusItem(double length);

    // The items still alive, in the order they were made. The bar does not
    // keep an item alive: one its owner lets go of disappears.
    std::vector<std::shared_ptr<StatusItem>> items() const;

    // Forgets every item (each test starts with an empty bar).
    void reset();

private:
    StatusBar() = default;

    std::vector<std::weak_ptr<StatusItem>> items_;
};

} // namespace platform
