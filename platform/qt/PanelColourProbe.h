#pragma once

#include <QColor>
#include <QObject>
#include <QRect>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

class QSystemTrayIcon;

namespace platform {

class StatusNotifierHost;

// Finds the colour a tray icon's symbols stand out in on the XEmbed panel
// that docked it: the colours the tray publishes, else the panel itself, read
// from the screen behind the icon while the icon is drawn empty for a moment
// (once docked, and whenever it moved). A status-notifier panel says nothing
// of its colours: there what is known of the host decides (StatusNotifierHost),
// else the desktop's light or dark preference.
class PanelColourProbe final : public QObject {
public:
    // `icon` outlives the probe; `changed` asks for a sync of the icon.
    PanelColourProbe(QSystemTrayIcon& icon, std::function<void()> changed);
    ~PanelColourProbe() override;

    // Whether the icon is to be drawn empty for now, while the panel behind
    // it is looked at; starts a look when the docked icon has moved.
    bool isLooking();
    // The colour to draw template symbols in.
    QColor symbolColour();
    // Whether the panel draws a themed symbolic icon in its own colours.
    bool panelRecoloursSymbolicIcons();
    // Qt's icon windows are watched as they come, so that a dock, a move or
    // a panel that lays its icons out anew asks for a sync.
    void watchIconWindows();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finishLook();

    // The status-notifier host, found once the protocol is known to be that.
    StatusNotifierHost* statusNotifierHost();

    QSystemTrayIcon& icon_;
    std::function<void()> changed_;
    // Where the panel was last looked at, and the symbol colour found there.
    QRect lookedAt_;
    std::optional<QColor> panelSymbol_;
    bool looking_ = false;
    // How many times icon windows had been shown, moved, resized or painted
    // when the icon's place was last asked for. Asking is a round trip to the
    // X server, which a program that syncs its icon every second would make
    // every second; the place changes only with one of those events.
    std::uint64_t iconWindowEventsSeen_ = std::numeric_limits<std::uint64_t>::max();
    int attempts_ = 0;
    // The previous look of this one, which the next must agree with.
    std::optional<QColor> previousSample_;
    QRect previousGeometry_;
    std::unique_ptr<StatusNotifierHost> host_;
};

} // namespace platform
