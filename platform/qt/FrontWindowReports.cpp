#include "platform/qt/FrontWindowReports.h"

#include <limits>

namespace platform {

bool FrontWindowReports::receiveCallsOn(QDBusConnection bus) {
    return bus.registerObject(QLatin1String(objectPath), this, QDBusConnection::ExportAllSlots);
}

void FrontWindowReports::Activated(const QString& windowClass, const QString& processIdentifier,
                                   const QString& title) {
    if (windowClass.isEmpty()) {
        current_.reset();
        return;
    }
    // What the reporter cannot tell, or tells wrong, is no process.
    bool number = false;
    const qlonglong process = processIdentifier.toLongLong(&number);
    const bool valid = number && process > 0 && process <= std::numeric_limits<int>::max();
    current_ = SessionApplications::FrontWindow{valid ? static_cast<int>(process) : 0, windowClass.toStdString(),
                                                title.toStdString()};
}

} // namespace platform
