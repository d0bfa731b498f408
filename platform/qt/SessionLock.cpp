#include "platform/qt/SessionLock.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>

#include <unistd.h>

namespace platform {

namespace {

struct ScreenSaver {
    const char* service;
    const char* path;
    const char* interface;
};

// The names desktops serve their screen saver under.
constexpr ScreenSaver screenSavers[] = {
    {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver"},
    {"org.freedesktop.ScreenSaver", "/ScreenSaver", "org.freedesktop.ScreenSaver"},
    {"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"},
};

// A desktop that does not answer at once is taken as unlocked.
constexpr int answerMilliseconds = 300;

} // namespace

const QString SessionLock::lockScreenName = QStringLiteral("Lock Screen");

SessionLock::SessionLock() {
    followScreenSavers();
    followLogind();
}

void SessionLock::followScreenSavers() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    for (const auto& saver : screenSavers) {
        // A screen saver that starts later is heard from when it changes.
        bus.connect(QString(), QString(), QLatin1String(saver.interface), QStringLiteral("ActiveChanged"), this,
                    SLOT(screenSaverActiveChanged(bool)));
    }
    for (const auto& saver : screenSavers) {
        if (!bus.interface()->isServiceRegistered(QLatin1String(saver.service))) {
            continue;
        }
        QDBusInterface screenSaver(QLatin1String(saver.service), QLatin1String(saver.path),
                                   QLatin1String(saver.interface), bus);
        screenSaver.setTimeout(answerMilliseconds);
        const QDBusReply<bool> active = screenSaver.call(QStringLiteral("GetActive"));
        if (active.isValid()) {
            screenSaverActive_ = active.value();
            return;
        }
    }
}

void SessionLock::followLogind() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.login1"))) {
        return;
    }
    QDBusInterface manager(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                           QStringLiteral("org.freedesktop.login1.Manager"), bus);
    manager.setTimeout(answerMilliseconds);
    const QDBusReply<QDBusObjectPath> session =
        manager.call(QStringLiteral("GetSessionByPID"), static_cast<uint>(::getpid()));
    if (!session.isValid()) {
        return;
    }
    const QString path = session.value().path();
    bus.connect(QStringLiteral("org.freedesktop.login1"), path, QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"), this,
                SLOT(logindPropertiesChanged(QString, QVariantMap, QStringList)));
    QDBusInterface properties(QStringLiteral("org.freedesktop.login1"), path,
                              QStringLiteral("org.freedesktop.DBus.Properties"), bus);
    properties.setTimeout(answerMilliseconds);
    const QDBusReply<QVariant> locked = properties.call(
        QStringLiteral("Get"), QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("LockedHint"));
    logindLocked_ = locked.isValid() && locked.value().toBool();
}

void SessionLock::screenSaverActiveChanged(bool active) { screenSaverActive_ = active; }

void SessionLock::logindPropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&) {
    if (interface == QLatin1String("org.freedesktop.login1.Session") && changed.contains(QStringLiteral("LockedHint"))) {
        logindLocked_ = changed.value(QStringLiteral("LockedHint")).toBool();
    }
}

} // namespace platform
