#include "platform/qt/DropChip.h"

#include "platform/appkit/DraggingInfo.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/qt/MimeDropReader.h"
#include "platform/qt/TrayItem.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSettings>

namespace platform {

namespace {

constexpr int chipSize = 40;
// A press that moves less than this is a click, not a move of the chip.
constexpr int moveThreshold = 4;

QSettings places() { return QSettings(QStringLiteral("menulets"), QStringLiteral("drop-chips")); }
QString placeSetting(const QString& key) { return key + QStringLiteral("/place"); }
QString hiddenSetting(const QString& key) { return key + QStringLiteral("/hidden"); }

} // namespace

DropChip::DropChip(std::weak_ptr<StatusItem> item, QString placeKey, Delivery delivery)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      item_(std::move(item)), placeKey_(std::move(placeKey)), delivery_(std::move(delivery)) {
    setObjectName(QStringLiteral("DropChip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAcceptDrops(true);
    setFixedSize(chipSize, chipSize);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint corner(screen.right() - chipSize - 16, screen.top() + 48);
    move(places().value(placeSetting(placeKey_), corner).toPoint());
    hiddenByUser_ = places().value(hiddenSetting(placeKey_), false).toBool();
}

void DropChip::setItemToolTip(const QString& toolTip) {
    setToolTip(toolTip + QStringLiteral("\n(A middle click hides this window; one on the tray icon shows it again.)"));
}

void DropChip::setHiddenByUser(bool hidden) {
    hiddenByUser_ = hidden;
    places().setValue(hiddenSetting(placeKey_), hidden);
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
    painter.setBrush(palette().color(dragged_ ? QPalette::Highlight : QPalette::Window));
    painter.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 8, 8);
    const QRect inner = rect().adjusted(6, 6, -6, -6);
    painter.drawPixmap(inner, pixmap_);
}

std::shared_ptr<Window> DropChip::window() const {
    auto item = item_.lock();
    auto button = item ? item->button() : nullptr;
    return button ? button->window() : nullptr;
}

void DropChip::dragEnterEvent(QDragEnterEvent* event) {
    auto target = window();
    auto pasteboard = MimeDropReader::read(*event->mimeData());
    const auto types = pasteboard ? pasteboard->types().value_or(std::vector<PasteboardTypeName>{})
                                  : std::vector<PasteboardTypeName>{};
    if (!target || !target->delegate() || !pasteboard || !target->acceptsDragTypes(types)) {
        event->ignore();
        return;
    }
    DraggingInfo info(*pasteboard);
    if (target->dragEntered(info) == DragOperation::none) {
        target->delegate()->draggingExited();
        event->ignore();
        return;
    }
    dragged_ = std::move(pasteboard);
    event->setDropAction(Qt::CopyAction);
    event->accept();
    update();
}

void DropChip::leaveDrag() {
    dragged_.reset();
    update();
}

void DropChip::dragLeaveEvent(QDragLeaveEvent*) {
    if (auto target = window(); target && dragged_ && target->delegate()) {
        target->delegate()->draggingExited();
    }
    leaveDrag();
}

void DropChip::dropEvent(QDropEvent* event) {
    auto target = window();
    if (!target || !dragged_) {
        event->ignore();
        leaveDrag();
        return;
    }
    DraggingInfo info(*dragged_);
    leaveDrag();
    const bool accepted = target->dragPerformed(info);
    event->setDropAction(Qt::CopyAction);
    event->setAccepted(accepted);
    if (delivery_.dropped) {
        delivery_.dropped();
    }
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
        places().setValue(placeSetting(placeKey_), pos());
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
