#include "platform/time/DateComponentsFormatter.h"

#include "platform/time/IcuSupport.h"

#include <unicode/dcfmtsym.h>
#include <unicode/measfmt.h>
#include <unicode/measunit.h>
#include <unicode/measure.h>
#include <unicode/numberformatter.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace platform {

namespace {

struct Unit {
    unsigned bit;
    std::int64_t seconds;
    icu::MeasureUnit (*measureUnit)();
};

// Largest first.
const std::array<Unit, 4> units{{
    {CalendarUnit::day, 86400, &icu::MeasureUnit::getDay},
    {CalendarUnit::hour, 3600, &icu::MeasureUnit::getHour},
    {CalendarUnit::minute, 60, &icu::MeasureUnit::getMinute},
    {CalendarUnit::second, 1, &icu::MeasureUnit::getSecond},
}};

constexpr double largestSeconds = 9007199254740992.0; // 2^53: every whole number below is exact

struct Field {
    const Unit* unit;
    std::int64_t value;
};

using Behavior = DateComponentsFormatter::ZeroFormattingBehavior;

// The fields to show, largest first, chosen from every allowed one.
std::vector<Field> visibleFields(const std::vector<Field>& fields, Behavior behavior, bool positional) {
    std::size_t minimumShown = 1;
    if (behavior == Behavior::defaultBehavior) {
        behavior = positional ? Behavior::dropLeading : Behavior::dropAll;
        if (positional) minimumShown = std::min<std::size_t>(2, fields.size());
    }
    if (behavior == Behavior::dropLeading) {
        std::size_t first = 0;
        while (first < fields.size() && fields[first].value == 0) ++first;
        first = std::min(first, fields.size() - minimumShown);
        return {fields.begin() + static_cast<std::ptrdiff_t>(first), fields.end()};
    }
    if (behavior == Behavior::dropAll) {
        std::vector<Field> shown;
        for (const Field& field : fields)
            if (field.value != 0) shown.push_back(field);
        if (shown.empty()) shown.push_back(fields.back());
        return shown;
    }
    return fields;
}

// ICU prepares a number formatter's pipeline only after a few calls on the
// same object, so a fresh formatter per field stays on its slow path.
const icu::number::LocalizedNumberFormatter& cachedDigitFormatter(const icu::Locale& locale, int width) {
    thread_local std::map<std::pair<std::string, int>, icu::number::LocalizedNumberFormatter> formatters;
    auto key = std::make_pair(std::string(locale.getName()), width);
    auto found = formatters.find(key);
    if (found == formatters.end()) {
        auto formatter = icu::number::NumberFormatter::withLocale(locale)
                             .grouping(UNUM_GROUPING_OFF)
                             .integerWidth(icu::number::IntegerWidth::zeroFillTo(width));
        found = formatters.emplace(std::move(key), std::move(formatter)).first;
    }
    return found->second;
}

std::optional<std::string> positionalText(const std::vector<Field>& fields, bool padFirst, const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString text;
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (index > 0) text += u':';
        int width = index == 0 && !padFirst ? 1 : 2;
        text += cachedDigitFormatter(locale, width).formatInt(fields[index].value, status).toString(status);
    }
    if (U_FAILURE(status)) return std::nullopt;
    return icu_support::utf8(text);
}

// Building an ICU measure format loads locale data and costs far more than a
// format call; a menu formats one duration per line, so the formats are kept
// per thread (ICU formats are not safe to share across threads while formatting).
const icu::MeasureFormat* cachedMeasureFormat(const icu::Locale& locale, UMeasureFormatWidth width) {
    thread_local std::map<std::pair<std::string, int>, std::unique_ptr<icu::MeasureFormat>> formats;
    auto key = std::make_pair(std::string(locale.getName()), static_cast<int>(width));
    auto found = formats.find(key);
    if (found == formats.end()) {
        UErrorCode status = U_ZERO_ERROR;
        auto format = std::make_unique<icu::MeasureFormat>(locale, width, status);
        if (U_FAILURE(status)) return nullptr;
        found = formats.emplace(std::move(key), std::move(format)).first;
    }
    return found->second.get();
}

std::optional<std::string> unitsText(const std::vector<Field>& fields, UMeasureFormatWidth width,
                                     const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::MeasureFormat* format = cachedMeasureFormat(locale, width);
    if (!format) return std::nullopt;
    std::vector<icu::Measure> measures;
    measures.reserve(fields.size());
    for (const Field& field : fields)
        measures.emplace_back(icu::Formattable(field.value), new icu::MeasureUnit(field.unit->measureUnit()), status);
    icu::UnicodeString text;
    icu::FieldPosition position(icu::FieldPosition::DONT_CARE);
    format->formatMeasures(measures.data(), static_cast<int32_t>(measures.size()), text, position, status);
    if (U_FAILURE(status)) return std::nullopt;
    return icu_support::utf8(text);
}

std::optional<std::string> minusSign(const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    icu::DecimalFormatSymbols symbols(locale, status);
    if (U_FAILURE(status)) return std::nullopt;
    return icu_support::utf8(symbols.getConstSymbol(icu::DecimalFormatSymbols::kMinusSignSymbol));
}

} // namespace

std::optional<std::string> DateComponentsFormatter::string(double seconds) const {
    if (!std::isfinite(seconds)) return std::nullopt;
    double magnitude = std::trunc(std::fabs(seconds));
    if (magnitude >= largestSeconds) return std::nullopt;
    auto remaining = static_cast<std::int64_t>(magnitude);
    bool negative = seconds < 0 && remaining > 0;

    unsigned mask = allowedUnits == 0 ? CalendarUnit::day | CalendarUnit::hour | CalendarUnit::minute | CalendarUnit::second
                                      : allowedUnits;
    std::vector<Field> fields;
    for (const Unit& unit : units) {
        if (!(mask & unit.bit)) continue;
        fields.push_back({&unit, remaining / unit.seconds});
        remaining %= unit.seconds;
    }
    if (fields.empty()) return std::nullopt;

    bool positional = unitsStyle == UnitsStyle::positional;
    std::vector<Field> shown = visibleFields(fields, zeroFormattingBehavior, positional);
    icu::Locale icuLocale = icu_support::icuLocale(locale.value_or(Locale::current(Locale::Category::time)));
    std::optional<std::string> text;
    switch (unitsStyle) {
    case UnitsStyle::positional:
        text = positionalText(shown, zeroFormattingBehavior == ZeroFormattingBehavior::pad, icuLocale);
        break;
    case UnitsStyle::abbreviated: text = unitsText(shown, UMEASFMT_WIDTH_NARROW, icuLocale); break;
    case UnitsStyle::full: text = unitsText(shown, UMEASFMT_WIDTH_WIDE, icuLocale); break;
    }
    if (!text || !negative) return text;
    auto minus = minusSign(icuLocale);
    if (!minus) return std::nullopt;
    return *minus + *text;
}

} // namespace platform
