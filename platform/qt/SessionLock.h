#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

namespace platform {

// Whether the person's session is locked, as the desktop tells it: the
// screen saver of the session bus (org.freedesktop.ScreenSaver, served by
// Plasma, Xfce and others, or GNOME's org.gnome.ScreenSaver) or logind's
// LockedHint for this session on the system bus. Both are followed through
// their signals, so asking costs nothing.
class SessionLock final : public QObject {
    Q_OBJECT

public:
    SessionLock();

    bool isLocked() const { return screenSaverActive_ || logindLocked_; }

    // What the frontmost application is while the session is locked.
    static const QString lockScreenName;

private slots:
    void screenSaverActiveChanged(bool active);
    void logindPropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);

private:
    void followScreenSavers();
    void followLogind();

    bool screenSaverActive_ = false;
    bool logindLocked_ = false;
};

} // namespace platform
