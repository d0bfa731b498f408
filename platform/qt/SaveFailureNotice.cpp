#include "platform/qt/SaveFailureNotice.h"

#include "platform/foundation/SaveFailures.h"
#include "platform/qt/DesktopNotification.h"

namespace platform {

void SaveFailureNotice::sync() {
    auto latest = SaveFailures::latestMessage();
    if (latest && latest != standing_) {
        notify(*latest);
    }
    standing_ = std::move(latest);
}

QString SaveFailureNotice::toolTipLine() const {
    return standing_ ? QStringLiteral("\nNot saved: ") + QString::fromStdString(*standing_) : QString();
}

void SaveFailureNotice::notify(const std::string& message) const {
    // A critical notification stays until the person has seen it; without a
    // notification server the tooltip still says it.
    DesktopNotification::send(applicationName_, QStringLiteral("dialog-warning"),
                              applicationName_ + QStringLiteral(" could not save your changes"),
                              QString::fromStdString(message), DesktopNotification::Urgency::critical);
}

} // namespace platform
