#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class ZoneRules;

// A time zone. Where the system keeps the zone's rules (its zone files in
// TZDIR or /usr/share/zoneinfo, /etc/localtime, or a POSIX rule in TZ), they
// are used, so that local time is the one `date` shows; otherwise ICU's own
// data for the identifier ("America/New_York", "UTC", "GMT+05:00").
class TimeZone {
public:
    // The zone of that name: the system's zone file of the name, else ICU's.
    // Nothing for a name neither knows.
    static std::optional<TimeZone> withIdentifier(std::string_view identifier);

    static TimeZone utc();

    // The zone the C library would use, read now. From TZ when it is set: a
    // zone file named by path or by a name below TZDIR (a leading ':' is
    // allowed), else a POSIX rule such as "CET-1CEST,M3.5.0,M10.5.0/3"; empty
    // or unreadable means UTC, as in the C library. Otherwise the system's zone.
    static TimeZone current();

    // The system's zone: the rules of the localtime file (linked or copied),
    // named by the zone the link points to below a "zoneinfo" folder, else by
    // the first line of the timezone file. Without a readable localtime file,
    // the zone the timezone file names; else UTC.
    static TimeZone system(const std::filesystem::path& localtime = "/etc/localtime",
                           const std::filesystem::path& timezoneFile = "/etc/timezone");

    const std::string& identifier() const { return identifier_; }
    // The system's rules for this zone; null where ICU's data are used.
    const std::shared_ptr<const ZoneRules>& systemRules() const { return rules_; }

    bool operator==(const TimeZone& other) const {
        return identifier_ == other.identifier_ && rules_ == other.rules_;
    }

private:
    explicit TimeZone(std::string identifier, std::shared_ptr<const ZoneRules> rules = nullptr)
        : identifier_(std::move(identifier)), rules_(std::move(rules)) {}

    static std::optional<TimeZone> fromZoneFile(const std::filesystem::path& file, std::string identifier);
    static std::optional<TimeZone> knownToIcu(std::string_view identifier);

    std::string identifier_;
    std::shared_ptr<const ZoneRules> rules_;
};

} // namespace platform
