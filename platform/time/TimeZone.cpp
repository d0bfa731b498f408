#include "platform/time/TimeZone.h"

#include "platform/time/IcuSupport.h"

#include <cstdlib>
#include <fstream>
#include <memory>

namespace platform {

namespace {

// "/usr/share/zoneinfo/posix/Europe/Berlin" -> "Europe/Berlin"; names without
// a zoneinfo folder are returned unchanged.
std::string_view nameBelowZoneinfo(std::string_view path) {
    constexpr std::string_view folder = "zoneinfo/";
    if (auto at = path.rfind(folder); at != std::string_view::npos) {
        path = path.substr(at + folder.size());
        for (std::string_view variant : {"posix/", "right/"})
            if (path.starts_with(variant)) path = path.substr(variant.size());
    }
    return path;
}

std::optional<TimeZone> fromLocaltimeLink(const std::filesystem::path& link) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::read_symlink(link, error);
    if (error) return std::nullopt;
    std::string text = target.generic_string();
    if (text.find("zoneinfo/") == std::string::npos) return std::nullopt;
    return TimeZone::withIdentifier(nameBelowZoneinfo(text));
}

std::optional<TimeZone> fromTimezoneFile(const std::filesystem::path& file) {
    std::ifstream stream(file);
    std::string line;
    if (!std::getline(stream, line)) return std::nullopt;
    auto first = line.find_first_not_of(" \t\r");
    auto last = line.find_last_not_of(" \t\r");
    if (first == std::string::npos) return std::nullopt;
    return TimeZone::withIdentifier(std::string_view(line).substr(first, last - first + 1));
}

} // namespace

std::optional<TimeZone> TimeZone::withIdentifier(std::string_view identifier) {
    if (identifier.empty()) return std::nullopt;
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(icu_support::unicode(identifier)));
    if (!zone || *zone == icu::TimeZone::getUnknown()) return std::nullopt;
    return TimeZone(std::string(identifier));
}

TimeZone TimeZone::utc() { return TimeZone("UTC"); }

TimeZone TimeZone::current() {
    const char* variable = std::getenv("TZ");
    if (!variable) return system();
    std::string_view value(variable);
    if (value.starts_with(':')) value.remove_prefix(1);
    return withIdentifier(nameBelowZoneinfo(value)).value_or(utc());
}

TimeZone TimeZone::system(const std::filesystem::path& localtimeLink, const std::filesystem::path& timezoneFile) {
    if (auto zone = fromLocaltimeLink(localtimeLink)) return *zone;
    if (auto zone = fromTimezoneFile(timezoneFile)) return *zone;
    return utc();
}

} // namespace platform
