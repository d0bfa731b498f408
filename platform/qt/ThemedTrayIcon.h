#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <string>

namespace platform {

// A tray icon that is a drawn pixmap and, for the panels that recolour
// themed symbolic icons, also the name of the installed symbolic icon of the
// same symbol. Qt's status-notifier item passes a QIcon's name to the panel
// as its IconName and the pixmaps as IconPixmap, which every panel can
// fall back to.
class ThemedTrayIcon {
public:
    // The installed symbolic icon's name for a symbol ("eye.fill" gives
    // "menulets-eye-fill-symbolic").
    static QString symbolicName(const std::string& symbolName);
    // Whether a panel looking the name up finds it: the icon is installed
    // in the hicolor theme of one of the desktop's data folders.
    static bool isInstalled(const QString& iconName);
    // The icon: `drawn` at every size, named `iconName` when not empty.
    static QIcon make(const QPixmap& drawn, const QString& iconName);
};

} // namespace platform
