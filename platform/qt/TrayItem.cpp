#include "platform/qt/TrayItem.h"

#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/Window.h"
#include "platform/qt/x11/DockedIconDrops.h"
#include "platform/qt/DropChip.h"
#include "platform/qt/PanelMenu.h"
#include "platform/qt/StatusIconPainter.h"
#include "platform/qt/ThemedTrayIcon.h"
#include "platform/qt/TrayProtocol.h"

#include <QApplication>
#include <QGuiApplication>

namespace platform {

namespace {

// Tray panels scale the pixmap to their size; this one is large enough to
// stay sharp on the common panel heights.
constexpr int iconSize = 64;

} // namespace

TrayItem::TrayItem(const std::shared_ptr<StatusItem>& item, QString placeKey, Click click,
                   std::function<void()> modelChanged)
    : item_(item), click_(std::move(click)), placeKey_(std::move(placeKey)), modelChanged_(std::move(modelChanged)) {
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayItem::activated);
}

TrayItem::~TrayItem() {
    // The icon lets go of the menu before the menu goes.
    icon_.setContextMenu(nullptr);
}

bool TrayItem::takesDrags(const StatusItem& item) {
    auto button = item.button();
    auto window = button ? button->window() : nullptr;
    return window && !window->registeredDraggedTypes().empty();
}

void TrayItem::syncDockedDrops(const StatusItem& item) {
    if (dockedDrops_ && dockedDrops_->isAttached()) {
        return;
    }
    dockedDrops_.reset();
    if (TrayProtocol::current() != TrayProtocol::Kind::xembed || !icon_.isVisible() || !takesDrags(item)) {
        return;
    }
    // Qt makes the icon's window as the icon is shown, and each item claims
    // its own at once: the one unclaimed now is this icon's.
    if (QWidget* iconWindow = DockedIconDrops::unclaimedIconWindow()) {
        dockedDrops_ = std::make_unique<DockedIconDrops>(iconWindow, item_, modelChanged_);
    }
}

void TrayItem::syncPanelMenu(const StatusItem& item) {
    const bool wanted = TrayProtocol::current() == TrayProtocol::Kind::statusNotifier && item.menu();
    if (wanted == (panelMenu_ != nullptr)) {
        return;
    }
    if (!wanted) {
        icon_.setContextMenu(nullptr);
        panelMenu_.reset();
        return;
    }
    panelMenu_ = std::make_unique<PanelMenu>(
        [weak = item_] {
            auto shown = weak.lock();
            return shown ? shown->menu() : nullptr;
        },
        modelChanged_);
    icon_.setContextMenu(&panelMenu_->menu());
}

void TrayItem::syncDropChip(const StatusItem& item, bool redrawn) {
    if (!chip_) {
        if (!takesDrags(item)) {
            return;
        }
        DropChip::Delivery delivery;
        delivery.click = [this](bool rightButton, std::uint64_t modifiers) {
            if (auto clicked = item_.lock()) {
                click_(*clicked, rightButton ? EventType::rightMouseDown : EventType::leftMouseDown,
                       rightButton ? EventType::rightMouseUp : EventType::leftMouseUp, modifiers);
            }
        };
        delivery.dropped = modelChanged_;
        chip_ = std::make_unique<DropChip>(item_, placeKey_, std::move(delivery));
        redrawn = true;
    }
    if (redrawn) {
        chip_->setPixmap(drawn_);
        chip_->setItemToolTip(drawnToolTip_);
    }
    chip_->setVisible(item.isVisible() && !chip_->isHiddenByUser());
}

bool TrayItem::shows(const StatusItem& item) const { return item_.lock().get() == &item; }

std::uint64_t TrayItem::modifierFlags(Qt::KeyboardModifiers modifiers) {
    std::uint64_t flags = 0;
    if (modifiers & Qt::ShiftModifier) {
        flags |= ModifierFlags::shift;
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= ModifierFlags::control;
    }
    if (modifiers & Qt::AltModifier) {
        flags |= ModifierFlags::option;
    }
    // The Super key, where the platform's keyboards have the command key.
    if (modifiers & Qt::MetaModifier) {
        flags |= ModifierFlags::command;
    }
    return flags;
}

void TrayItem::sync(const QString& toolTipNote) {
    auto item = item_.lock();
    auto button = item ? item->button() : nullptr;
    if (!button) {
        icon_.hide();
        if (chip_) {
            chip_->hide();
        }
        return;
    }
    const bool looking = colourProbe_.isLooking();
    const QColor text = colourProbe_.symbolColour();
    const auto image = button->image();
    const QString themedName = themedIconName(*button);
    // The drawing depends on these alone.
    const QString key = QString::fromStdString(button->title()) + QChar(0x1f) +
                        (image ? QString::fromStdString(image->describe()) : QString()) + QChar(0x1f) +
                        QString::number(static_cast<int>(button->imagePosition())) + QChar(0x1f) + text.name() +
                        QChar(0x1f) + themedName;
    bool redrawn = false;
    if (looking) {
        drawnKey_.clear(); // drawn empty meanwhile
    } else if (key != drawnKey_) {
        drawnKey_ = key;
        drawn_ = StatusIconPainter(text, iconSize).paint(*item);
        icon_.setIcon(ThemedTrayIcon::make(drawn_, themedName));
        redrawn = true;
    }
    // The chip shows it too, where a middle click hides the chip instead.
    const QString toolTip = QString::fromStdString(button->toolTip()) + toolTipNote;
    if (toolTip != drawnToolTip_) {
        drawnToolTip_ = toolTip;
        icon_.setToolTip(toolTip + middleClickNote());
        redrawn = true;
    }
    syncPanelMenu(*item);
    icon_.setVisible(item->isVisible());
    colourProbe_.watchIconWindows();
    syncDockedDrops(*item);
    syncDropChip(*item, redrawn);
}

QString TrayItem::middleClickNote() { return QStringLiteral("\nMiddle click: Alt+click"); }

QString TrayItem::themedIconName(const StatusBarButton& button) {
    // Only a symbol alone has a themed twin: a title or a badge is drawn.
    const auto image = button.image();
    if (!image || !image->isTemplate() || !button.title().empty() ||
        button.imagePosition() == ImagePosition::noImage || !colourProbe_.panelRecoloursSymbolicIcons()) {
        return {};
    }
    const QString name = ThemedTrayIcon::symbolicName(image->symbolName());
    return ThemedTrayIcon::isInstalled(name) ? name : QString();
}

QRect TrayItem::dropChipGeometry() const { return chip_ && chip_->isVisible() ? chip_->frameGeometry() : QRect(); }

void TrayItem::bringForward() {
    auto item = item_.lock();
    if (!chip_ || !item) {
        return;
    }
    chip_->setHiddenByUser(false);
    chip_->setVisible(item->isVisible());
    chip_->raise();
}

void TrayItem::activated(QSystemTrayIcon::ActivationReason reason) {
    auto item = item_.lock();
    if (!item) {
        return;
    }
    // Neither protocol carries the keys: ask the display what is held now.
    const std::uint64_t modifiers = modifierFlags(QGuiApplication::queryKeyboardModifiers());
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        // A double click reports its first press as Trigger, then the second
        // as DoubleClick: each is one click.
        click_(*item, EventType::leftMouseDown, EventType::leftMouseUp, modifiers);
        break;
    case QSystemTrayIcon::Context:
        click_(*item, EventType::rightMouseDown, EventType::rightMouseUp, modifiers);
        break;
    case QSystemTrayIcon::MiddleClick:
        // Window managers take Alt+click for moving windows, and a
        // status-notifier panel carries no keys: a middle click (the
        // panels' secondary activation) is the Alt-click that works there.
        click_(*item, EventType::leftMouseDown, EventType::leftMouseUp, modifiers | ModifierFlags::option);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}

} // namespace platform
