#include "platform/qt/PanelAbsenceNotice.h"

#include "platform/qt/DesktopNotification.h"
#include "platform/qt/TrayProtocol.h"

#include <QGuiApplication>
#include <QScreen>

#include <iostream>

namespace platform {

QString PanelAbsenceNotice::placeOn(const QRect& rectangle, const QRect& screen) {
    const QPoint centre = rectangle.center() - screen.topLeft();
    const auto third = [](int at, int length) { return at < length / 3 ? 0 : at < 2 * length / 3 ? 1 : 2; };
    const int column = third(centre.x(), screen.width());
    const int row = third(centre.y(), screen.height());
    const QString vertical[] = {QStringLiteral("top"), QString(), QStringLiteral("bottom")};
    const QString horizontal[] = {QStringLiteral("left"), QString(), QStringLiteral("right")};
    if (row == 1 && column == 1) {
        return QStringLiteral("in the middle of the screen");
    }
    if (row == 1) {
        return QStringLiteral("on the ") + horizontal[column] + QStringLiteral(" of the screen");
    }
    if (column == 1) {
        return QStringLiteral("at the ") + vertical[row] + QStringLiteral(" of the screen");
    }
    return QStringLiteral("at the ") + vertical[row] + QStringLiteral(" ") + horizontal[column] +
           QStringLiteral(" of the screen");
}

void PanelAbsenceNotice::check(const std::vector<QRect>& chips) {
    if (checked_) {
        return;
    }
    checked_ = true;
    if (TrayProtocol::foundPanel()) {
        return;
    }
    QString body = QStringLiteral("No panel here shows status icons; the icon appears in a system tray started later.");
    if (!chips.empty()) {
        const QScreen* screen = QGuiApplication::screenAt(chips.front().center());
        if (screen == nullptr) {
            screen = QGuiApplication::primaryScreen();
        }
        const QRect area = screen != nullptr ? screen->geometry() : chips.front();
        body += QStringLiteral(" Until then its drop chip ") + placeOn(chips.front(), area) +
                QStringLiteral(" stands in for it: click it, or drop on it.");
    }
    std::cerr << applicationName_.toStdString() << ": " << body.toStdString() << "\n";
    DesktopNotification::send(applicationName_, QStringLiteral("dialog-information"),
                              applicationName_ + QStringLiteral(" is waiting for a panel"), body,
                              DesktopNotification::Urgency::normal);
}

} // namespace platform
