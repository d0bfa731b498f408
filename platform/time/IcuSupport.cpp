#include "platform/time/IcuSupport.h"

#include "platform/time/ZoneRules.h"

#include <unicode/rbtz.h>
#include <unicode/tzrule.h>

#include <map>
#include <mutex>
#include <tuple>

#include <cmath>
#include <limits>

namespace platform::icu_support {

namespace {
// Well inside ICU's own limit of about 1.8e17 ms.
constexpr double largestSeconds = 1.0e14;
} // namespace

icu::Locale icuLocale(const Locale& locale) { return icu::Locale(locale.identifier().c_str()); }

namespace {

// ICU splits an offset into the standard part and daylight saving; zone
// files give the whole offset and whether it is daylight time. The saving is
// taken as the step from the standard offset before it (an hour if that step
// is not forward), which keeps every whole offset exact.
std::int32_t daylightSaving(const ZoneTransition& transition, std::int32_t standardBefore) {
    if (!transition.isDaylightTime) return 0;
    const std::int32_t step = transition.offset - standardBefore;
    return step > 0 ? step : 3600;
}

std::unique_ptr<icu::TimeZone> ruleBasedZone(const ZoneRules& rules, const std::string& identifier) {
    const ZoneTransition& initial = rules.initial();
    std::int32_t standard = initial.offset;
    const std::int32_t initialSaving = daylightSaving(initial, standard - 3600);
    auto zone = std::make_unique<icu::RuleBasedTimeZone>(
        unicode(identifier), new icu::InitialTimeZoneRule(unicode(initial.abbreviation),
                                                          (initial.offset - initialSaving) * 1000,
                                                          initialSaving * 1000));
    // One rule per kind of offset, holding every moment the zone changes to it.
    std::map<std::tuple<std::string, std::int32_t, std::int32_t>, std::vector<UDate>> starts;
    for (const ZoneTransition& transition : rules.transitions()) {
        const std::int32_t saving = daylightSaving(transition, standard);
        if (!transition.isDaylightTime) standard = transition.offset;
        starts[{transition.abbreviation, transition.offset - saving, saving}].push_back(
            static_cast<UDate>(transition.at) * 1000.0);
    }
    UErrorCode status = U_ZERO_ERROR;
    for (const auto& [kind, times] : starts) {
        const auto& [abbreviation, raw, saving] = kind;
        zone->addTransitionRule(new icu::TimeArrayTimeZoneRule(unicode(abbreviation), raw * 1000, saving * 1000,
                                                               times.data(), static_cast<int32_t>(times.size()),
                                                               icu::DateTimeRule::UTC_TIME),
                                status);
    }
    zone->complete(status);
    if (U_FAILURE(status)) return nullptr;
    return zone;
}

// ICU's zones for the system's rules, made once each: every calendar and
// formatter of the program gets a copy.
class IcuZoneCache {
public:
    static IcuZoneCache& shared() {
        static IcuZoneCache* cache = new IcuZoneCache(); // never destroyed: used until exit
        return *cache;
    }

    std::unique_ptr<icu::TimeZone> zone(const TimeZone& zone) {
        std::lock_guard lock(mutex_);
        auto& entry = zones_[{zone.systemRules().get(), zone.identifier()}];
        if (!entry.prototype) {
            entry.rules = zone.systemRules();
            entry.prototype = ruleBasedZone(*entry.rules, zone.identifier());
            if (!entry.prototype) return nullptr;
        }
        return std::unique_ptr<icu::TimeZone>(entry.prototype->clone());
    }

private:
    struct Entry {
        std::shared_ptr<const ZoneRules> rules; // keeps the key's rules alive
        std::unique_ptr<icu::TimeZone> prototype;
    };
    std::mutex mutex_;
    std::map<std::pair<const ZoneRules*, std::string>, Entry> zones_;
};

} // namespace

std::unique_ptr<icu::TimeZone> icuTimeZone(const TimeZone& zone) {
    if (zone.systemRules()) {
        if (auto fromSystem = IcuZoneCache::shared().zone(zone)) return fromSystem;
    }
    return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createTimeZone(unicode(zone.identifier())));
}

std::string utf8(const icu::UnicodeString& text) {
    std::string result;
    text.toUTF8String(result);
    return result;
}

icu::UnicodeString unicode(std::string_view utf8Text) {
    if (utf8Text.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return {};
    return icu::UnicodeString::fromUTF8(icu::StringPiece(utf8Text.data(), static_cast<int32_t>(utf8Text.size())));
}

std::optional<double> icuMilliseconds(Date date) {
    double seconds = date.timeIntervalSince1970;
    if (!std::isfinite(seconds) || std::fabs(seconds) > largestSeconds) return std::nullopt;
    return seconds * 1000.0;
}

Date dateFromIcuMilliseconds(double milliseconds) { return Date{milliseconds / 1000.0}; }

} // namespace platform::icu_support
