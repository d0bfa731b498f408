#include "platform/qt/PanelColourProbe.h"

#include "platform/qt/DesktopAppearance.h"
#include "platform/qt/PanelContrast.h"
#include "platform/qt/StatusNotifierHost.h"
#include "platform/qt/x11/TrayBackground.h"
#include "platform/qt/TrayProtocol.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace platform {

namespace {

// The panel may still be laying its icons out or painting where it grew:
// what it shows counts once it stays the same for a moment. A few looks,
// then the desktop's preference decides.
constexpr int maximumAttempts = 8;
constexpr int settleMilliseconds = 300;
// A look that no paint of the empty icon starts begins after this.
constexpr int paintWaitMilliseconds = 1000;

// Shows, moves, resizes and paints of the program's icon windows so far,
// counted by whichever probe watches each window, for every probe to see.
std::uint64_t iconWindowEvents = 0;

} // namespace

PanelColourProbe::PanelColourProbe(QSystemTrayIcon& icon, std::function<void()> changed)
    : icon_(icon), changed_(std::move(changed)) {}

bool PanelColourProbe::isLooking() {
    if (TrayProtocol::current() != TrayProtocol::Kind::xembed) {
        return false;
    }
    if (iconWindowEventsSeen_ == iconWindowEvents) {
        return looking_;
    }
    iconWindowEventsSeen_ = iconWindowEvents;
    const QRect geometry = icon_.geometry();
    if (!geometry.isValid() || geometry == lookedAt_) {
        return looking_;
    }
    if (auto published = TrayBackground::publishedForeground()) {
        lookedAt_ = geometry;
        panelSymbol_ = published;
        return false;
    }
    if (!looking_) {
        looking_ = true;
        QPixmap empty(16, 16);
        empty.fill(Qt::transparent);
        icon_.setIcon(QIcon(empty));
        QTimer::singleShot(paintWaitMilliseconds, this, [this] {
            if (attempts_ == 0) {
                finishLook();
            }
        });
    }
    return true;
}

void PanelColourProbe::finishLook() {
    if (!looking_) {
        return;
    }
    const QRect geometry = icon_.geometry();
    const auto background = TrayBackground::behind(geometry);
    const bool settled = background && previousSample_ && geometry == previousGeometry_ &&
                         PanelContrast::contrastRatio(*background, *previousSample_) < 1.1;
    if (!settled && ++attempts_ < maximumAttempts) {
        previousSample_ = background;
        previousGeometry_ = geometry;
        QTimer::singleShot(settleMilliseconds, this, [this] { finishLook(); });
        return;
    }
    looking_ = false;
    attempts_ = 0;
    previousSample_.reset();
    lookedAt_ = geometry;
    panelSymbol_ = settled ? std::optional(PanelContrast::symbolOn(*background)) : std::nullopt;
    changed_();
}

PanelColourProbe::~PanelColourProbe() = default;

StatusNotifierHost* PanelColourProbe::statusNotifierHost() {
    if (TrayProtocol::current() != TrayProtocol::Kind::statusNotifier) {
        return nullptr;
    }
    if (!host_) {
        host_ = std::make_unique<StatusNotifierHost>(changed_);
    }
    return host_.get();
}

bool PanelColourProbe::panelRecoloursSymbolicIcons() {
    auto* host = statusNotifierHost();
    return host && host->recoloursSymbolicIcons();
}

QColor PanelColourProbe::symbolColour() {
    if (TrayProtocol::current() == TrayProtocol::Kind::xembed && panelSymbol_) {
        return *panelSymbol_;
    }
    if (auto* host = statusNotifierHost()) {
        if (auto known = host->symbolColour()) {
            return *known;
        }
    }
    return DesktopAppearance::isDark() ? PanelContrast::lightSymbol : PanelContrast::darkSymbol;
}

void PanelColourProbe::watchIconWindows() {
    if (TrayProtocol::current() != TrayProtocol::Kind::xembed) {
        return;
    }
    static const char* const watchedProperty = "menulets.colourWatched";
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("QSystemTrayIconSys") && !widget->property(watchedProperty).toBool()) {
            widget->setProperty(watchedProperty, true);
            widget->installEventFilter(this);
        }
    }
}

bool PanelColourProbe::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize && type != QEvent::Paint) {
        return false;
    }
    // This icon's empty drawing is being painted: look once it is on the screen.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (looking_ && attempts_ == 0 && type == QEvent::Paint && widget &&
        QRect(widget->mapToGlobal(QPoint()), widget->size()) == icon_.geometry()) {
        QTimer::singleShot(0, this, [this] { finishLook(); });
    }
    // Any item's icon window will do: the sync that follows looks at every
    // item. A panel that lays its icons out anew moves them without a move
    // of their own (the panel's socket moves), but they are painted again.
    ++iconWindowEvents;
    changed_();
    return false;
}

} // namespace platform
