#include "platform/time/DateFormatter.h"

#include "platform/time/IcuSupport.h"

#include <unicode/datefmt.h>

namespace platform {

namespace {

icu::DateFormat::EStyle icuStyle(DateFormatter::Style style) {
    switch (style) {
    case DateFormatter::Style::noStyle: return icu::DateFormat::kNone;
    case DateFormatter::Style::shortStyle: return icu::DateFormat::kShort;
    case DateFormatter::Style::mediumStyle: return icu::DateFormat::kMedium;
    case DateFormatter::Style::longStyle: return icu::DateFormat::kLong;
    case DateFormatter::Style::fullStyle: return icu::DateFormat::kFull;
    }
    return icu::DateFormat::kNone;
}

} // namespace

std::string DateFormatter::string(Date date) const {
    if (dateStyle == Style::noStyle && timeStyle == Style::noStyle) return {};
    auto milliseconds = icu_support::icuMilliseconds(date);
    if (!milliseconds) return {};

    // The patterns of a locale belong to its default calendar; asking for the
    // Gregorian ones keeps the text in step with Calendar.
    icu::Locale icuLocale = icu_support::icuLocale(locale.value_or(Locale::current(Locale::Category::time)));
    UErrorCode status = U_ZERO_ERROR;
    icuLocale.setKeywordValue("calendar", "gregorian", status);
    if (U_FAILURE(status)) return {};
    std::unique_ptr<icu::DateFormat> format(
        icu::DateFormat::createDateTimeInstance(icuStyle(dateStyle), icuStyle(timeStyle), icuLocale));
    if (!format) return {};
    format->adoptTimeZone(icu_support::icuTimeZone(timeZone.value_or(TimeZone::current())).release());

    icu::UnicodeString text;
    format->format(*milliseconds, text);
    return icu_support::utf8(text);
}

} // namespace platform
