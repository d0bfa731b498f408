#pragma once

#include "platform/plist/PropertyList.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace platform {

// Where the programs' drop chips stand, kept for their next start in one
// file they all share (a property list beside the defaults): the place a
// person dragged a chip to, whether they hid it, and the slot it was given.
// Each change is a read, change and write of the file under its lock, so
// that programs started together never lose each other's entries. A file
// kept by earlier versions (an INI file of Qt's) is taken over, once, by
// the first change.
class DropChipPlaces {
public:
    struct Chip {
        std::optional<QPoint> place;
        bool hidden = false;
        std::optional<int> slot;
    };

    // The file in the defaults' folder, and the earlier versions' file.
    static DropChipPlaces standard();
    DropChipPlaces(std::string path, QString earlierPath);

    Chip chip(const QString& key) const;
    void setPlace(const QString& key, QPoint place) const;
    void setHidden(const QString& key, bool hidden) const;
    // The chip's slot if it has one, else the lowest no other chip has,
    // which becomes its own.
    int claimSlot(const QString& key) const;

private:
    PropertyListDictionary chips() const;
    PropertyListDictionary earlierChips() const;
    // Applies `change` to the chip's entry and writes the file; false (and
    // a line on standard error) when the file could not be written.
    bool update(const QString& key, const std::function<void(PropertyListDictionary& chips,
                                                              PropertyListDictionary& chip)>& change) const;

    std::string path_;
    QString earlierPath_;
};

} // namespace platform
