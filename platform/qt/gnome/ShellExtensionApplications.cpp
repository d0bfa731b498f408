#include "platform/qt/gnome/ShellExtensionApplications.h"

#include <QDBusMessage>
#include <QDBusVariant>

#include <iostream>

namespace platform {

namespace {

constexpr const char* shellService = "org.gnome.Shell";
// The Shell answers at once; one that does not is taken as without the extension.
constexpr int shellAnswerMilliseconds = 1000;

} // namespace

std::unique_ptr<ShellExtensionApplications> ShellExtensionApplications::connect() {
    if (!inWaylandSessionWith(shellService)) {
        return nullptr;
    }
    std::unique_ptr<ShellExtensionApplications> applications(new ShellExtensionApplications());
    if (!applications->follow()) {
        std::cerr << "GNOME Shell tells no program which window is in front; the extension that tells this one is "
                     "not enabled. "
                  << enablingAdvice() << "\n";
        return nullptr;
    }
    return applications;
}

ShellExtensionApplications::ShellExtensionApplications() = default;

bool ShellExtensionApplications::follow() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString path = QLatin1String(FrontWindowReports::objectPath);
    const QString interface = QLatin1String(FrontWindowReports::interfaceName);
    // Followed before asking, so that no change falls between the two.
    if (!bus.connect(QLatin1String(shellService), path, interface, QStringLiteral("Activated"), &reports(),
                     SLOT(Activated(QString, QString, QString)))) {
        return false;
    }
    const QDBusMessage current = bus.call(
        QDBusMessage::createMethodCall(QLatin1String(shellService), path, interface, QStringLiteral("Current")),
        QDBus::Block, shellAnswerMilliseconds);
    const QList<QVariant> window = current.arguments();
    if (current.type() != QDBusMessage::ReplyMessage || window.size() != 3) {
        return false;
    }
    reports().Activated(window[0].toString(), window[1].toString(), window[2].toString());
    return true;
}

std::string ShellExtensionApplications::enablingAdvice() {
    QDBusMessage ask = QDBusMessage::createMethodCall(QLatin1String(shellService), QStringLiteral("/org/gnome/Shell"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    ask.setArguments({QStringLiteral("org.gnome.Shell"), QStringLiteral("ShellVersion")});
    const QDBusMessage answer = QDBusConnection::sessionBus().call(ask, QDBus::Block, shellAnswerMilliseconds);
    const QString version = answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty()
                                ? answer.arguments().front().value<QDBusVariant>().variant().toString()
                                : QString();
    bool number = false;
    const int major = version.section(QLatin1Char('.'), 0, 0).toInt(&number);
    const char* after = " (then log out and in again).";
    if (!number) {
        return std::string("Enable it with: gnome-extensions enable front-window@menulets.dev on GNOME 45 and later, "
                           "front-window-legacy@menulets.dev on GNOME 40 to 44") + after;
    }
    return std::string("Enable it with: gnome-extensions enable ") +
           (major >= 45 ? "front-window@menulets.dev" : "front-window-legacy@menulets.dev") + after;
}

} // namespace platform
