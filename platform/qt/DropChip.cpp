#include "platform/qt/DropChip.h"

#include "platform/qt/TrayItem.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace platform {

namespace {

constexpr int chipSize = 40;
// A press that moves less than this is a click, not a move of the chip.
constexpr int moveThreshold = 4;

} // namespace

DropChip::DropChip(std::weak_ptr<StatusItem> item, QString placeKey, Delivery delivery)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      placeKey_(std::move(placeKey)), places_(DropChipPlaces::standard()), delivery_(std::move(delivery)),
      target_(std::move(item), delivery_.dropped) {
    setObjectName(QStringLiteral("DropChip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAcceptDrops(true);
    setFixedSize(chipSize, chipSize);
    const DropChipPlaces::Chip kept = places_.chip(placeKey_);
    move(kept.place ? *kept.place : slotPlace(places_.claimSlot(placeKey_)));
    hiddenByUser_ = kept.hidden;
}

void DropChip::setItemToolTip(const QString& toolTip) {
    const QString hint = QStringLiteral("(A middle click hides this window; starting the program again shows it.)");
    setToolTip(toolTip + QStringLiteral("\n") + hint);
    // A screen reader names the chip as the item it stands in for.
    setAccessibleName(toolTip.section(QLatin1Char('\n'), 0, 0));
    setAccessibleDescription(hint);
}

QPoint DropChip::slotPlace(int slot) {
    // Columns from the screen's top-right corner leftwards, each filled downwards.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    constexpr int step = chipSize + 8;
    const int perColumn = std::max(1, (screen.height() - 48) / step);
    return {screen.right() - chipSize - 16 - (slot / perColumn) * step, screen.top() + 48 + (slot % perColumn) * step};
}

void DropChip::setHiddenByUser(bool hidden) {
    hiddenByUser_ = hidden;
    places_.setHidden(placeKey_, hidden);
    if (hidden) {
        hide();
    }
}

void DropChip::setPixmap(const QPixmap& pixmap) {
    pixmap_ = pixmap;
    update();
}

void DropChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(target_.isDragging() ? QPalette::Highlight : QPalette::Window));
    painter.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 8, 8);
    const QRect inner = rect().adjusted(6, 6, -6, -6);
    painter.drawPixmap(inner, pixmap_);
}

void DropChip::dragEnterEvent(QDragEnterEvent* event) {
    if (!target_.enter(*event->mimeData())) {
        event->ignore();
        update();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    update();
}

void DropChip::dragLeaveEvent(QDragLeaveEvent*) {
    target_.leave();
    update();
}

void DropChip::dropEvent(QDropEvent* event) {
    const bool accepted = target_.drop();
    event->setDropAction(Qt::CopyAction);
    event->setAccepted(accepted);
    update();
}

void DropChip::mousePressEvent(QMouseEvent* event) {
    pressOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    moved_ = false;
}

void DropChip::mouseMoveEvent(QMouseEvent* event) {
    if (!pressOffset_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint place = event->globalPosition().toPoint() - *pressOffset_;
    if (!moved_ && (place - pos()).manhattanLength() < moveThreshold) {
        return;
    }
    moved_ = true;
    move(place);
}

void DropChip::mouseReleaseEvent(QMouseEvent* event) {
    pressOffset_.reset();
    if (moved_) {
        places_.setPlace(placeKey_, pos());
        moved_ = false;
        return;
    }
    if (event->button() == Qt::MiddleButton) {
        setHiddenByUser(true);
        return;
    }
    if ((event->button() == Qt::LeftButton || event->button() == Qt::RightButton) && delivery_.click) {
        delivery_.click(event->button() == Qt::RightButton, TrayItem::modifierFlags(event->modifiers()));
    }
}

} // namespace platform
