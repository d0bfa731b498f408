#pragma once

#include <QRect>
#include <QString>

#include <vector>

namespace platform {

// Tells the person, once, that no panel shows status icons (the program
// found no XEmbed tray and no status-notifier host as it started): the
// program runs but its icon is nowhere.
// It says so on standard error and as a desktop notification, with where
// its drop chip, if it has one, stands in for the icon meanwhile.
class PanelAbsenceNotice {
public:
    explicit PanelAbsenceNotice(QString applicationName) : applicationName_(std::move(applicationName)) {}

    // Looks once the first icons are made (`chips`: where their drop chips
    // are); later calls do nothing.
    void check(const std::vector<QRect>& chips);

    // "at the top right of the screen", for a rectangle on `screen`.
    static QString placeOn(const QRect& rectangle, const QRect& screen);

private:
    QString applicationName_;
    bool checked_ = false;
};

} // namespace platform
