#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QString>

namespace platform {

// The desktop's light or dark preference, kept where the programs read the
// appearance (GlobalAppearance). It is read from the settings portal
// ("color-scheme" of "org.freedesktop.appearance": 1 is dark) at start and
// followed while the program runs. Changing it goes through the desktop's
// own setting, which the portal reflects to every program: GNOME's
// "color-scheme" key (and that of the desktops built on GNOME's settings),
// Plasma's colour scheme; other desktops answer that they cannot.
class DesktopAppearance final : public QObject {
    Q_OBJECT

public:
    DesktopAppearance();

    static bool isDark();
    bool setDark(bool dark);

private slots:
    void settingChanged(const QDBusMessage& message);

private:
    enum class Setter { gnome, plasma, none };
    static Setter setterForThisDesktop();
    // The portal's number for the preference, or -1 for something else.
    static int colorScheme(const QVariant& value);
    static void follow(int scheme);
};

} // namespace platform
