#include "platform/qt/DropChipPlaces.h"

#include "platform/defaults/DefaultsFile.h"
#include "platform/defaults/DefaultsLocation.h"
#include "platform/foundation/Diagnostics.h"

#include <QFileInfo>
#include <QSettings>

#include <functional>
#include <limits>
#include <set>

namespace platform {

namespace {

constexpr std::string_view slotField = "slot";
constexpr std::string_view hiddenField = "hidden";
constexpr std::string_view xField = "x";
constexpr std::string_view yField = "y";

std::optional<std::int64_t> integerIn(const PropertyListDictionary& chip, std::string_view field) {
    const PropertyList* value = chip.find(field);
    const PropertyListInteger* integer = value ? value->integer() : nullptr;
    if (!integer || integer->magnitude > std::uint64_t(std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    return integer->negative ? -std::int64_t(integer->magnitude) : std::int64_t(integer->magnitude);
}

const PropertyListDictionary* chipIn(const PropertyListDictionary& chips, const QString& key) {
    const PropertyList* entry = chips.find(key.toStdString());
    return entry ? entry->dictionary() : nullptr;
}

} // namespace

DropChipPlaces DropChipPlaces::standard() {
    const QSettings earlier(QStringLiteral("menulets"), QStringLiteral("drop-chips"));
    return DropChipPlaces(DefaultsLocation::fileForDomain("drop-chips"), earlier.fileName());
}

DropChipPlaces::DropChipPlaces(std::string path, QString earlierPath)
    : path_(std::move(path)), earlierPath_(std::move(earlierPath)) {}

DropChipPlaces::Chip DropChipPlaces::chip(const QString& key) const {
    const PropertyListDictionary all = chips();
    const PropertyListDictionary* entry = chipIn(all, key);
    if (!entry) {
        return {};
    }
    Chip chip;
    const auto x = integerIn(*entry, xField);
    const auto y = integerIn(*entry, yField);
    if (x && y) {
        chip.place = QPoint(int(*x), int(*y));
    }
    const PropertyList* hidden = entry->find(hiddenField);
    chip.hidden = hidden && hidden->boolean() && *hidden->boolean();
    const auto slot = integerIn(*entry, slotField);
    if (slot && *slot >= 0) {
        chip.slot = int(*slot);
    }
    return chip;
}

void DropChipPlaces::setPlace(const QString& key, QPoint place) const {
    update(key, [&](PropertyListDictionary&, PropertyListDictionary& chip) {
        chip.set(std::string(xField), PropertyList::integer(place.x()));
        chip.set(std::string(yField), PropertyList::integer(place.y()));
    });
}

void DropChipPlaces::setHidden(const QString& key, bool hidden) const {
    update(key, [&](PropertyListDictionary&, PropertyListDictionary& chip) { chip.set(std::string(hiddenField), hidden); });
}

int DropChipPlaces::claimSlot(const QString& key) const {
    int claimed = 0;
    const std::string name = key.toStdString();
    const auto claim = [&](PropertyListDictionary& chips, PropertyListDictionary& chip) {
        if (const auto kept = integerIn(chip, slotField); kept && *kept >= 0) {
            claimed = int(*kept);
            return;
        }
        std::set<std::int64_t> taken;
        for (const auto& [other, entry] : chips) {
            if (const PropertyListDictionary* otherChip = entry.dictionary(); otherChip && other != name) {
                if (const auto slot = integerIn(*otherChip, slotField)) {
                    taken.insert(*slot);
                }
            }
        }
        while (taken.count(claimed)) {
            ++claimed;
        }
        chip.set(std::string(slotField), PropertyList::integer(claimed));
    };
    update(key, claim);
    return claimed;
}

PropertyListDictionary DropChipPlaces::chips() const {
    DefaultsFile::Contents contents = DefaultsFile(path_).read();
    return contents.status == DefaultsFile::Status::missing ? earlierChips() : std::move(contents.values);
}

PropertyListDictionary DropChipPlaces::earlierChips() const {
    PropertyListDictionary chips;
    if (!QFileInfo::exists(earlierPath_)) {
        return chips;
    }
    // Keys such as "dev.menulets.Starhop/0/place": the chip's key, then the field.
    const QSettings earlier(earlierPath_, QSettings::IniFormat);
    for (const QString& setting : earlier.allKeys()) {
        const qsizetype slash = setting.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0) {
            continue;
        }
        const std::string key = setting.left(slash).toStdString();
        const QString field = setting.mid(slash + 1);
        const QVariant value = earlier.value(setting);
        if (!chips.find(key)) {
            chips.set(key, PropertyListDictionary());
        }
        PropertyListDictionary& chip = *chips.find(key)->dictionary();
        if (field == QLatin1String("place") && value.canConvert<QPoint>()) {
            chip.set(std::string(xField), PropertyList::integer(value.toPoint().x()));
            chip.set(std::string(yField), PropertyList::integer(value.toPoint().y()));
        } else if (field == QLatin1String("hidden")) {
            chip.set(std::string(hiddenField), value.toBool());
        } else if (field == QLatin1String("slot") && value.toInt() >= 0) {
            chip.set(std::string(slotField), PropertyList::integer(value.toInt()));
        }
    }
    return chips;
}

bool DropChipPlaces::update(
    const QString& key,
    const std::function<void(PropertyListDictionary& chips, PropertyListDictionary& chip)>& change) const {
    const DefaultsFile file(path_);
    std::string error;
    const bool written = file.update(
        [&](PropertyListDictionary& chips, std::string*) {
            if (!FileStamp::of(path_)) {
                chips = earlierChips();
            }
            const std::string name = key.toStdString();
            if (!chipIn(chips, key)) {
                chips.set(name, PropertyListDictionary());
            }
            PropertyListDictionary chip = *chips.find(name)->dictionary();
            change(chips, chip);
            chips.set(name, std::move(chip));
            return true;
        },
        &error);
    if (!written) {
        Diagnostics::say("drop chips: cannot keep " + key.toStdString() + "'s place: " + error);
    }
    return written;
}

} // namespace platform
