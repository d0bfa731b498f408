#include "platform/time/IcuSupport.h"

#include <cmath>
#include <limits>

namespace platform::icu_support {

namespace {
// Well inside ICU's own limit of about 1.8e17 ms.
constexpr double largestSeconds = 1.0e14;
} // namespace

icu::Locale icuLocale(const Locale& locale) { return icu::Locale(locale.identifier().c_str()); }

std::unique_ptr<icu::TimeZone> icuTimeZone(const TimeZone& zone) {
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
