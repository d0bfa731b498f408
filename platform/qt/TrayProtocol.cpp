#include "platform/qt/TrayProtocol.h"

#include "platform/qt/x11/XcbSupport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

#include <cstdlib>
#include <string>
#include <thread>

namespace platform {

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

TrayProtocol::Kind settled = TrayProtocol::Kind::xembed;
bool panelFound = true;

// The screen of DISPLAY (":0.1" is screen 1), whose tray selection Qt docks to.
int screenNumber() {
    const char* display = std::getenv("DISPLAY");
    if (!display) {
        return 0;
    }
    const std::string text(display);
    const auto colon = text.rfind(':');
    const auto dot = text.find('.', colon == std::string::npos ? 0 : colon);
    return dot == std::string::npos ? 0 : std::atoi(text.c_str() + dot + 1);
}

} // namespace

TrayProtocol::Kind TrayProtocol::current() { return settled; }

bool TrayProtocol::foundPanel() { return panelFound; }

bool TrayProtocol::statusNotifierHostRegistered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(watcherService)) {
        return false;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(watcherService, QStringLiteral("/StatusNotifierWatcher"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    // A watcher that does not answer soon is as good as none.
    const QDBusMessage reply = bus.call(get, QDBus::Block, 500);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

xcb_window_t TrayProtocol::xembedTrayWindow(xcb_connection_t* connection) {
    // The selection's atom exists once some tray has asked for it.
    const xcb_atom_t selection =
        xcbAtom(connection, "_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber()), true);
    if (selection == XCB_ATOM_NONE) {
        return XCB_NONE;
    }
    XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr));
    return owner ? owner->owner : XCB_NONE;
}

bool TrayProtocol::xembedTrayPresent() {
    xcb_connection_t* connection = qtXcbConnection();
    return connection && xembedTrayWindow(connection) != XCB_NONE;
}

bool TrayProtocol::panelPresent() { return statusNotifierHostRegistered() || xembedTrayPresent(); }

TrayProtocol::Kind TrayProtocol::settle(std::chrono::milliseconds limit) {
    // Asked before the program has a window or a model, so nothing waits on
    // Qt's events meanwhile; a program whose panel is up does not wait at all.
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!(panelFound = panelPresent()) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    settled = statusNotifierHostRegistered() ? Kind::statusNotifier : Kind::xembed;
    return settled;
}

} // namespace platform
