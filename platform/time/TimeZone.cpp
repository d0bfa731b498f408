#include "platform/time/TimeZone.h"

#include "platform/time/IcuSupport.h"
#include "platform/time/ZoneRules.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

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

std::filesystem::path zoneFolder() {
    const char* folder = std::getenv("TZDIR");
    return folder && *folder ? std::filesystem::path(folder) : std::filesystem::path("/usr/share/zoneinfo");
}

std::optional<std::string> linkedZoneName(const std::filesystem::path& link) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::read_symlink(link, error);
    if (error) return std::nullopt;
    std::string text = target.generic_string();
    if (text.find("zoneinfo/") == std::string::npos) return std::nullopt;
    return std::string(nameBelowZoneinfo(text));
}

std::optional<std::string> firstLine(const std::filesystem::path& file) {
    std::ifstream stream(file);
    std::string line;
    if (!std::getline(stream, line)) return std::nullopt;
    auto first = line.find_first_not_of(" \t\r");
    auto last = line.find_last_not_of(" \t\r");
    if (first == std::string::npos) return std::nullopt;
    return line.substr(first, last - first + 1);
}

// Rules already read, kept for the process: a program asks for the current
// zone often, and the files change only when the system's tzdata does (a
// changed file is read again).
class ZoneRulesCache {
public:
    static ZoneRulesCache& shared() {
        static ZoneRulesCache* cache = new ZoneRulesCache(); // never destroyed: used until exit
        return *cache;
    }

    std::shared_ptr<const ZoneRules> fromFile(const std::filesystem::path& file) {
        std::error_code error;
        const auto canonical = std::filesystem::canonical(file, error);
        if (error || !std::filesystem::is_regular_file(canonical, error)) return nullptr;
        const auto size = std::filesystem::file_size(canonical, error);
        const auto modified = std::filesystem::last_write_time(canonical, error);
        // Zone files are a few kilobytes; anything much larger is not one.
        if (error || size > (1u << 20)) return nullptr;
        std::lock_guard lock(mutex_);
        auto& entry = files_[canonical.string()];
        if (entry.rules && entry.size == size && entry.modified == modified) return entry.rules;
        std::ifstream stream(canonical, std::ios::binary);
        std::ostringstream bytes;
        bytes << stream.rdbuf();
        auto rules = ZoneRules::fromZoneFile(bytes.str());
        if (!rules) return nullptr;
        entry = {size, modified, std::make_shared<const ZoneRules>(std::move(*rules))};
        return entry.rules;
    }

    std::shared_ptr<const ZoneRules> fromPosixRule(const std::string& text) {
        std::lock_guard lock(mutex_);
        auto& rules = posixRules_[text];
        if (!rules) {
            auto rule = PosixTimeZoneRule::parse(text);
            if (!rule) {
                posixRules_.erase(text);
                return nullptr;
            }
            rules = std::make_shared<const ZoneRules>(ZoneRules::fromPosixRule(*rule));
        }
        return rules;
    }

private:
    struct FileEntry {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        std::shared_ptr<const ZoneRules> rules;
    };
    std::mutex mutex_;
    std::map<std::string, FileEntry> files_;
    std::map<std::string, std::shared_ptr<const ZoneRules>> posixRules_;
};

} // namespace

std::optional<TimeZone> TimeZone::fromZoneFile(const std::filesystem::path& file, std::string identifier) {
    auto rules = ZoneRulesCache::shared().fromFile(file);
    if (!rules) return std::nullopt;
    return TimeZone(std::move(identifier), std::move(rules));
}

std::optional<TimeZone> TimeZone::knownToIcu(std::string_view identifier) {
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(icu_support::unicode(identifier)));
    if (!zone || *zone == icu::TimeZone::getUnknown()) return std::nullopt;
    return TimeZone(std::string(identifier));
}

std::optional<TimeZone> TimeZone::withIdentifier(std::string_view identifier) {
    if (identifier.empty()) return std::nullopt;
    const std::filesystem::path name(identifier);
    if (name.is_relative()) {
        if (auto zone = fromZoneFile(zoneFolder() / name, std::string(identifier))) return zone;
    }
    return knownToIcu(identifier);
}

TimeZone TimeZone::utc() { return TimeZone("UTC"); }

TimeZone TimeZone::current() {
    const char* variable = std::getenv("TZ");
    if (!variable) return system();
    std::string_view value(variable);
    if (value.empty()) return utc();
    const bool namesFile = value.starts_with(':');
    if (namesFile) value.remove_prefix(1);
    const std::filesystem::path path(value);
    const std::string name(nameBelowZoneinfo(value));
    if (auto zone = fromZoneFile(path.is_absolute() ? path : zoneFolder() / path, name)) return *zone;
    if (!namesFile) {
        if (auto rules = ZoneRulesCache::shared().fromPosixRule(std::string(value))) {
            return TimeZone(std::string(value), std::move(rules));
        }
    }
    // Where the system has no zone files. After the POSIX rule, since ICU
    // reads "GMT+5" as east of Greenwich and POSIX as west.
    if (path.is_relative()) {
        if (auto zone = knownToIcu(name)) return *zone;
    }
    return utc();
}

TimeZone TimeZone::system(const std::filesystem::path& localtime, const std::filesystem::path& timezoneFile) {
    auto linked = linkedZoneName(localtime);
    auto named = linked ? linked : firstLine(timezoneFile);
    if (auto zone = fromZoneFile(localtime, named.value_or("localtime"))) return *zone;
    if (named) {
        if (auto zone = withIdentifier(*named)) return *zone;
    }
    return utc();
}

} // namespace platform
