#include "platform/qt/x11/TrayBackground.h"

#include "platform/qt/TrayProtocol.h"
#include "platform/qt/x11/XcbSupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <array>
#include <cstdlib>

namespace platform {

std::optional<QColor> TrayBackground::publishedForeground() {
    xcb_connection_t* connection = qtXcbConnection();
    const xcb_window_t tray = connection ? TrayProtocol::xembedTrayWindow(connection) : XCB_NONE;
    if (tray == XCB_NONE) {
        return std::nullopt;
    }
    const xcb_atom_t colours = xcbAtom(connection, "_NET_SYSTEM_TRAY_COLORS", true);
    if (colours == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    // Foreground, error, warning and success, each as 16-bit red, green, blue.
    const auto values = xcbCardinals(xcbProperty(connection, tray, colours, XCB_ATOM_CARDINAL, 12).get());
    if (values.size() < 3) {
        return std::nullopt;
    }
    return QColor::fromRgba64(static_cast<quint16>(values[0]), static_cast<quint16>(values[1]),
                              static_cast<quint16>(values[2]));
}

std::optional<QColor> TrayBackground::behind(const QRect& geometry) {
    QScreen* screen = QGuiApplication::screenAt(geometry.center());
    if (!screen || !geometry.isValid() || !screen->geometry().contains(geometry)) {
        return std::nullopt;
    }
    const QRect onScreen = geometry.translated(-screen->geometry().topLeft());
    const QImage shown = screen->grabWindow(0, onScreen.x(), onScreen.y(), onScreen.width(), onScreen.height()).toImage();
    if (shown.width() < 2 || shown.height() < 2) {
        return std::nullopt;
    }
    const std::array points{QPoint(0, 0), QPoint(shown.width() - 1, 0), QPoint(0, shown.height() - 1),
                            QPoint(shown.width() - 1, shown.height() - 1), QPoint(shown.width() / 2, shown.height() / 2)};
    const QColor first = shown.pixelColor(points[0]);
    for (const QPoint& point : points) {
        // A plain panel is one colour; anything else there (an icon moving
        // in, the panel still growing) is no answer yet.
        const QColor pixel = shown.pixelColor(point);
        constexpr int tolerance = 24;
        if (std::abs(pixel.red() - first.red()) > tolerance || std::abs(pixel.green() - first.green()) > tolerance ||
            std::abs(pixel.blue() - first.blue()) > tolerance) {
            return std::nullopt;
        }
    }
    return first;
}

} // namespace platform
