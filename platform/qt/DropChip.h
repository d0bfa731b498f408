#pragma once

#include "platform/qt/DropChipPlaces.h"
#include "platform/qt/StatusItemDropTarget.h"

#include <QPixmap>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

class StatusItem;

// A small window that stays on top, for what tray panels cannot take:
// drags (a browser's link with its title, a file manager's files and
// folders, passed to the status item's window as a drop on it) and clicks
// with every modifier. It takes no keyboard focus; dragging it with the
// mouse moves it, a middle click hides it (starting the program again
// brings it back), and both its place and its hiding are kept for the
// next start. A chip never moved has a slot of its own below the screen's
// top-right corner, so that the chips of several programs never cover
// each other.
class DropChip final : public QWidget {
public:
    struct Delivery {
        // A press/release pair with the modifier flags held.
        std::function<void(bool rightButton, std::uint64_t modifiers)> click;
        // After a drop reached the model.
        std::function<void()> dropped;
    };

    // `placeKey` names the chip among those whose place is kept.
    DropChip(std::weak_ptr<StatusItem> item, QString placeKey, Delivery delivery);

    void setPixmap(const QPixmap& pixmap);
    // The model's tooltip, with how to hide the chip.
    void setItemToolTip(const QString& toolTip);
    bool isHiddenByUser() const { return hiddenByUser_; }
    void setHiddenByUser(bool hidden);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static QPoint slotPlace(int slot);

    QString placeKey_;
    DropChipPlaces places_;
    Delivery delivery_;
    StatusItemDropTarget target_;
    QPixmap pixmap_;
    std::optional<QPoint> pressOffset_;
    bool moved_ = false;
    bool hiddenByUser_ = false;
};

} // namespace platform
