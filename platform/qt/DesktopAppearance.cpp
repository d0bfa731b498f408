#include "platform/qt/DesktopAppearance.h"

#include "platform/defaults/GlobalAppearance.h"
#include "platform/qt/ApplicationPalette.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QProcess>

#include <iostream>

namespace platform {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

constexpr int preferDark = 1;

} // namespace

DesktopAppearance::DesktopAppearance() {
    ApplicationPalette::follow(GlobalAppearance::isDark());
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    // The whole message: the value is a variant whose type only it tells.
    bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
                SLOT(settingChanged(QDBusMessage)));
    // Asked without waiting: a portal started on demand may take a while,
    // and the answer only has to reach the defaults.
    QDBusMessage read = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface,
                                                       QStringLiteral("Read"));
    read << appearanceGroup << colorSchemeKey;
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(read), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [](QDBusPendingCallWatcher* call) {
        const QDBusPendingReply<QVariant> reply = *call;
        if (!reply.isError()) {
            follow(colorScheme(reply.value()));
        }
        call->deleteLater();
    });
}

bool DesktopAppearance::isDark() { return GlobalAppearance::isDark(); }

int DesktopAppearance::colorScheme(const QVariant& value) {
    // Read wraps the setting in one more variant than SettingChanged does.
    QVariant inner = value;
    while (inner.userType() == qMetaTypeId<QDBusVariant>()) {
        inner = inner.value<QDBusVariant>().variant();
    }
    bool isNumber = false;
    const uint scheme = inner.toUInt(&isNumber);
    return isNumber ? static_cast<int>(scheme) : -1;
}

void DesktopAppearance::follow(int scheme) {
    if (scheme < 0) {
        return;
    }
    // 0 is "no preference", which desktops show light.
    const bool dark = scheme == preferDark;
    ApplicationPalette::follow(dark);
    if (dark != GlobalAppearance::isDark() && !GlobalAppearance::setDark(dark)) {
        std::cerr << "The desktop's " << (dark ? "dark" : "light")
                  << " appearance could not be written to the global defaults.\n";
    }
}

void DesktopAppearance::settingChanged(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (arguments.size() == 3 && arguments[0].toString() == appearanceGroup &&
        arguments[1].toString() == colorSchemeKey) {
        follow(colorScheme(arguments[2]));
    }
}

// Which of the desktops whose colour scheme we can set this is, from
// XDG_CURRENT_DESKTOP ("ubuntu:GNOME", "KDE"). Writing GNOME's key on another
// desktop would report a change nobody sees.
DesktopAppearance::Setter DesktopAppearance::setterForThisDesktop() {
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'));
    for (const QString& desktop : desktops) {
        if (desktop.compare(QStringLiteral("KDE"), Qt::CaseInsensitive) == 0) {
            return Setter::plasma;
        }
        for (const char* gnomeLike : {"GNOME", "Unity", "Budgie", "Pantheon"}) {
            if (desktop.compare(QLatin1String(gnomeLike), Qt::CaseInsensitive) == 0) {
                return Setter::gnome;
            }
        }
    }
    return Setter::none;
}

bool DesktopAppearance::setDark(bool dark) {
    QProcess setter;
    switch (setterForThisDesktop()) {
    case Setter::gnome:
        setter.start(QStringLiteral("gsettings"),
                     {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.interface"), colorSchemeKey,
                      dark ? QStringLiteral("prefer-dark") : QStringLiteral("default")});
        break;
    case Setter::plasma:
        setter.start(QStringLiteral("plasma-apply-colorscheme"),
                     {dark ? QStringLiteral("BreezeDark") : QStringLiteral("BreezeLight")});
        break;
    case Setter::none: return false;
    }
    if (!setter.waitForFinished(5000) || setter.exitStatus() != QProcess::NormalExit || setter.exitCode() != 0) {
        return false;
    }
    // The portal will say so too; this program and the others see it now.
    ApplicationPalette::follow(dark);
    return GlobalAppearance::setDark(dark);
}

} // namespace platform
