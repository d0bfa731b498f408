#pragma once

#include <QString>

#include <optional>
#include <string>

namespace platform {

// Tells the person on the desktop that a file could not be saved: a desktop
// notification (org.freedesktop.Notifications, where a server runs) naming
// the file and the reason, once for each new failure, and a line for the
// status item's tooltip for as long as the failure stands.
class SaveFailureNotice {
public:
    explicit SaveFailureNotice(QString applicationName) : applicationName_(std::move(applicationName)) {}

    // Looks at the failures standing now; notifies when a new one came.
    void sync();
    // What the tooltip adds while a save is failing ("" when none is).
    QString toolTipLine() const;

private:
    void notify(const std::string& message) const;

    QString applicationName_;
    std::optional<std::string> standing_;
};

} // namespace platform
