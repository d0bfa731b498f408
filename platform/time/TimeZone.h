#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A time zone of the tz database, known to ICU by its identifier
// ("America/New_York", "UTC", "GMT+05:00").
class TimeZone {
public:
    // Nothing for a name ICU does not know.
    static std::optional<TimeZone> withIdentifier(std::string_view identifier);

    static TimeZone utc();

    // The zone the C library would use, read now: TZ when it is set (a leading
    // ':' and a path up to ".../zoneinfo/" are allowed; empty means UTC, as in
    // the C library, and so do unknown names and POSIX rule strings such as
    // "CET-1CEST,M3.5.0,M10.5.0/3", which ICU cannot read), otherwise the
    // system's zone.
    static TimeZone current();

    // The system's zone: the tz name that the localtime link points to below a
    // "zoneinfo" folder, else the first line of the timezone file, else UTC.
    static TimeZone system(const std::filesystem::path& localtimeLink = "/etc/localtime",
                           const std::filesystem::path& timezoneFile = "/etc/timezone");

    const std::string& identifier() const { return identifier_; }

    bool operator==(const TimeZone&) const = default;

private:
    explicit TimeZone(std::string identifier) : identifier_(std::move(identifier)) {}

    std::string identifier_;
};

} // namespace platform
