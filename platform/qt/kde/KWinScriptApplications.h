#pragma once

#include "platform/qt/ReportedFrontWindowApplications.h"

#include <QString>

#include <memory>

namespace platform {

// The window in front in a Plasma session on Wayland, where KWin tells no
// other program: a small KWin script, loaded over the session bus
// (org.kde.KWin /Scripting) for the life of this program, reports each
// activated window back to it (FrontWindowReports). On Plasma 5.27 and 6.
class KWinScriptApplications final : public ReportedFrontWindowApplications {
public:
    // Loaded into the KWin of this Wayland session; nothing outside Wayland
    // (X11's window manager answers there) or without KWin.
    static std::unique_ptr<KWinScriptApplications> connect();
    // Unloads the script.
    ~KWinScriptApplications() override;

    // The script that reports to the program at `busName`.
    static QString scriptText(const QString& busName);

private:
    KWinScriptApplications();
    bool load();

    QString scriptPath_;
    QString pluginName_;
    bool loaded_ = false;
};

} // namespace platform
