#include "platform/qt/DropChip.h"

#include "platform/foundation/FileManager.h"
#include "platform/qt/TrayItem.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <QSettings>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int chipSize = 40;
// A press that moves less than this is a click, not a move of the chip.
constexpr int moveThreshold = 4;

QSettings places() { return QSettings(QStringLiteral("menulets"), QStringLiteral("drop-chips")); }
QString placeSetting(const QString& key) { return key + QStringLiteral("/place"); }
QString hiddenSetting(const QString& key) { return key + QStringLiteral("/hidden"); }
QString slotSetting(const QString& key) { return key + QStringLiteral("/slot"); }

// Writes one setting into a file that is the person's own (0600) whatever
// the umask: Qt's writer keeps the mode of the file it replaces.
void remember(const QString& key, const QVariant& value) {
    QSettings settings = places();
    const QFileInfo file(settings.fileName());
    FileManager::defaultManager().createDirectory(file.absolutePath().toStdString(), true);
    const int descriptor = ::open(file.absoluteFilePath().toUtf8().constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor >= 0) {
        ::fchmod(descriptor, 0600);
        ::close(descriptor);
    }
    settings.setValue(key, value);
}

} // namespace

DropChip::DropChip(std::weak_ptr<StatusItem> item, QString placeKey, Delivery delivery)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      placeKey_(std::move(placeKey)), delivery_(std::move(delivery)), target_(std::move(item), delivery_.dropped) {
    setObjectName(QStringLiteral("DropChip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAcceptDrops(true);
    setFixedSize(chipSize, chipSize);
    const QVariant place = places().value(placeSetting(placeKey_));
    move(place.isValid() ? place.toPoint() : slotPlace(claimSlot()));
    hiddenByUser_ = places().value(hiddenSetting(placeKey_), false).toBool();
}

void DropChip::setItemToolTip(const QString& toolTip) {
    const QString hint = QStringLiteral("(A middle click hides this window; starting the program again shows it.)");
    setToolTip(toolTip + QStringLiteral("\n") + hint);
    // A screen reader names the chip as the item it stands in for.
    setAccessibleName(toolTip.section(QLatin1Char('\n'), 0, 0));
    setAccessibleDescription(hint);
}

int DropChip::claimSlot() const {
    const QString file = places().fileName();
    FileManager::defaultManager().createDirectory(QFileInfo(file).absolutePath().toStdString(), true);
    // Programs started together claim one after the other (QSettings keeps
    // "<file>.lock" for its own writes).
    QLockFile lock(file + QStringLiteral(".slots.lock"));
    lock.lock();
    QSettings settings = places();
    const QVariant kept = settings.value(slotSetting(placeKey_));
    if (kept.isValid() && kept.toInt() >= 0) {
        return kept.toInt();
    }
    QSet<int> taken;
    for (const QString& key : settings.allKeys()) {
        if (key.endsWith(QStringLiteral("/slot"))) {
            taken.insert(settings.value(key).toInt());
        }
    }
    int slot = 0;
    while (taken.contains(slot)) {
        ++slot;
    }
    remember(slotSetting(placeKey_), slot);
    return slot;
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
    remember(hiddenSetting(placeKey_), hidden);
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
        remember(placeSetting(placeKey_), pos());
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
