#pragma once

#include "platform/appkit/Event.h"
#include "platform/qt/PanelColourProbe.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

class DockedIconDrops;
class DropChip;
class PanelMenu;
class StatusBarButton;
class StatusItem;

// One status item shown as a tray icon. It refers to the item weakly and
// redraws itself from it in sync(); the panel's clicks come back as the
// platform's mouse events, with the modifier keys held at that moment.
class TrayItem final : public QObject {
public:
    // `click` delivers a press/release pair to the item (the window server
    // knows about open menus).
    using Click = std::function<void(StatusItem&, EventType press, EventType release, std::uint64_t modifiers)>;

    // `placeKey` names the item's drop chip among those whose place is kept;
    // `modelChanged` runs after a drop on the chip or a choice in a menu the
    // panel showed reached the model.
    TrayItem(const std::shared_ptr<StatusItem>& item, QString placeKey, Click click,
             std::function<void()> modelChanged);
    ~TrayItem() override;

    bool shows(const StatusItem& item) const;
    bool isGone() const { return item_.expired(); }
    // Brings icon, tooltip and visibility up to date with the item; an item
    // whose window takes drags gets its drop chip. `toolTipNote` is added to
    // the item's tooltip (a save that failed).
    void sync(const QString& toolTipNote = {});
    // Puts a drop chip the person hid back on screen, above other windows.
    void bringForward();
    // Where the panel shows the icon, in screen coordinates (empty when the
    // panel does not say).
    QRect geometry() const { return icon_.geometry(); }
    // Where the item's drop chip is while it shows; empty when it has none.
    QRect dropChipGeometry() const;

    // The platform's modifier flags for Qt's.
    static std::uint64_t modifierFlags(Qt::KeyboardModifiers modifiers);

private:
    void activated(QSystemTrayIcon::ActivationReason reason);
    void syncDropChip(const StatusItem& item, bool redrawn);
    // The installed symbolic icon a recolouring panel is to look up for
    // what the button shows; empty where there is none or the panel would
    // not recolour it.
    QString themedIconName(const StatusBarButton& button);
    // Said below every tooltip, since a middle click is how panels without
    // keys (and desktops whose window manager takes Alt+click) reach it.
    static QString middleClickNote();
    void syncPanelMenu(const StatusItem& item);
    void syncDockedDrops(const StatusItem& item);
    // Whether the item's button window registers drag types.
    static bool takesDrags(const StatusItem& item);

    std::weak_ptr<StatusItem> item_;
    Click click_;
    QString placeKey_;
    std::function<void()> modelChanged_;
    QSystemTrayIcon icon_;
    std::unique_ptr<DropChip> chip_;
    // Only where a status-notifier panel draws the item's menu itself.
    std::unique_ptr<PanelMenu> panelMenu_;
    // Only where the icon is docked in an XEmbed panel.
    std::unique_ptr<DockedIconDrops> dockedDrops_;
    PanelColourProbe colourProbe_{icon_, modelChanged_};
    QPixmap drawn_;
    // What was last drawn, so an unchanged item does not redraw.
    QString drawnKey_;
    QString drawnToolTip_;
};

} // namespace platform
