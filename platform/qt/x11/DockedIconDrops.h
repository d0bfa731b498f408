#pragma once

#include "platform/qt/StatusItemDropTarget.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace platform {

class StatusItem;

// Drops on a tray icon docked in an XEmbed panel. Qt draws such an icon in
// a window of its own (the widget named "QSystemTrayIconSys"), which takes
// no drops; watching its events lets it take them for the status item, as
// the drop chip does. Nothing here changes how Qt draws or clicks the icon.
class DockedIconDrops final : public QObject {
public:
    // The icon windows Qt has made and no status item has claimed yet, in
    // the order Qt made them.
    static QWidget* unclaimedIconWindow();

    DockedIconDrops(QWidget* iconWindow, std::weak_ptr<StatusItem> item, std::function<void()> dropped);
    ~DockedIconDrops() override;

    // False once Qt has replaced the icon's window (the panel restarted).
    bool isAttached() const { return !iconWindow_.isNull(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> iconWindow_;
    StatusItemDropTarget target_;
};

} // namespace platform
