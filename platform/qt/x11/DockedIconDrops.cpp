#include "platform/qt/x11/DockedIconDrops.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>

namespace platform {

namespace {

// The object name Qt's XEmbed tray icon window has; the panel docks windows
// by it.
const QString iconWindowName = QStringLiteral("QSystemTrayIconSys");
const char* const claimedProperty = "menulets.claimed";

} // namespace

QWidget* DockedIconDrops::unclaimedIconWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == iconWindowName && !widget->property(claimedProperty).toBool()) {
            return widget;
        }
    }
    return nullptr;
}

DockedIconDrops::DockedIconDrops(QWidget* iconWindow, std::weak_ptr<StatusItem> item, std::function<void()> dropped)
    : iconWindow_(iconWindow), target_(std::move(item), std::move(dropped)) {
    iconWindow->setProperty(claimedProperty, true);
    iconWindow->setAcceptDrops(true);
    iconWindow->installEventFilter(this);
}

DockedIconDrops::~DockedIconDrops() {
    if (iconWindow_) {
        iconWindow_->removeEventFilter(this);
        iconWindow_->setAcceptDrops(false);
        iconWindow_->setProperty(claimedProperty, false);
    }
}

bool DockedIconDrops::eventFilter(QObject* watched, QEvent* event) {
    if (watched != iconWindow_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (target_.enter(*enter->mimeData())) {
            enter->setDropAction(Qt::CopyAction);
            enter->accept();
        } else {
            enter->ignore();
        }
        return true;
    }
    case QEvent::DragMove: {
        auto* move = static_cast<QDragMoveEvent*>(event);
        move->setAccepted(target_.isDragging());
        if (target_.isDragging()) {
            move->setDropAction(Qt::CopyAction);
        }
        return true;
    }
    case QEvent::DragLeave:
        target_.leave();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const bool accepted = target_.drop();
        drop->setDropAction(Qt::CopyAction);
        drop->setAccepted(accepted);
        return true;
    }
    default: return false;
    }
}

} // namespace platform
