#include "platform/time/PosixTimeZoneRule.h"

#include <cctype>

namespace platform {

std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    // Counted in eras of 400 years from March 1, so the leap day ends a year.
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

int civilYear(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    return static_cast<int>(static_cast<std::int64_t>(yearOfEra) + era * 400 + (shiftedMonth >= 10 ? 1 : 0));
}

namespace {

bool isLeapYear(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

} // namespace

std::int64_t PosixTimeZoneRule::Day::in(int year) const {
    switch (kind) {
    case Kind::julianWithoutLeapDay: {
        // Day 60 is March 1 in every year.
        const std::int64_t first = daysFromCivil(year, 1, 1);
        return first + day - 1 + (isLeapYear(year) && day >= 60 ? 1 : 0);
    }
    case Kind::dayOfYear:
        return daysFromCivil(year, 1, 1) + day;
    case Kind::monthWeekDay:
        break;
    }
    const std::int64_t first = daysFromCivil(year, static_cast<unsigned>(month), 1);
    // 1970-01-01 was a Thursday (4).
    const auto firstWeekday = static_cast<int>(((first % 7) + 7 + 4) % 7);
    std::int64_t result = first + (weekday - firstWeekday + 7) % 7 + 7 * (week - 1);
    if (week == 5) {
        const std::int64_t next = month == 12 ? daysFromCivil(year + 1, 1, 1)
                                              : daysFromCivil(year, static_cast<unsigned>(month + 1), 1);
        while (result >= next) {
            result -= 7;
        }
    }
    return result;
}

// Reads the rule's text from left to right; every step fails on text it does not expect.
class PosixRuleParser {
public:
    explicit PosixRuleParser(std::string_view text) : text_(text) {}

    std::optional<PosixTimeZoneRule> parse() {
        PosixTimeZoneRule rule;
        auto standardName = abbreviation();
        auto standardOffset = standardName ? offset(24) : std::nullopt;
        if (!standardOffset) {
            return std::nullopt;
        }
        rule.standardAbbreviation_ = *standardName;
        rule.standardOffset_ = -*standardOffset;
        if (atEnd()) {
            return rule;
        }
        PosixTimeZoneRule::Daylight daylight;
        auto daylightName = abbreviation();
        if (!daylightName) {
            return std::nullopt;
        }
        daylight.abbreviation = *daylightName;
        daylight.offset = rule.standardOffset_ + 3600;
        if (!atEnd() && peek() != ',') {
            auto daylightOffset = offset(24);
            if (!daylightOffset) {
                return std::nullopt;
            }
            daylight.offset = -*daylightOffset;
        }
        if (atEnd()) {
            // No dates: the United States' rule, as the C library assumes.
            daylight.start = {PosixTimeZoneRule::Day::Kind::monthWeekDay, 3, 2, 0, 0, 2 * 3600};
            daylight.end = {PosixTimeZoneRule::Day::Kind::monthWeekDay, 11, 1, 0, 0, 2 * 3600};
        } else {
            auto start = accept(',') ? day() : std::nullopt;
            auto end = start && accept(',') ? day() : std::nullopt;
            if (!end || !atEnd()) {
                return std::nullopt;
            }
            daylight.start = *start;
            daylight.end = *end;
        }
        rule.daylight_ = std::move(daylight);
        return rule;
    }

private:
    bool atEnd() const { return at_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[at_]; }
    bool accept(char wanted) {
        if (peek() != wanted) {
            return false;
        }
        ++at_;
        return true;
    }

    // Three or more letters, or anything of letters, digits and signs in <>.
    std::optional<std::string> abbreviation() {
        std::string name;
        if (accept('<')) {
            while (!atEnd() && peek() != '>') {
                const char c = text_[at_++];
                if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-') {
                    return std::nullopt;
                }
                name += c;
            }
            if (!accept('>') || name.size() < 3) {
                return std::nullopt;
            }
            return name;
        }
        while (!atEnd() && std::isalpha(static_cast<unsigned char>(peek()))) {
            name += text_[at_++];
        }
        return name.size() >= 3 ? std::optional(name) : std::nullopt;
    }

    std::optional<int> number(int largest) {
        if (atEnd() || !std::isdigit(static_cast<unsigned char>(peek()))) {
            return std::nullopt;
        }
        int value = 0;
        while (!atEnd() && std::isdigit(static_cast<unsigned char>(peek()))) {
            value = value * 10 + (text_[at_++] - '0');
            if (value > largest) {
                return std::nullopt;
            }
        }
        return value;
    }

    // [+-]hh[:mm[:ss]] in seconds, the hours up to `largestHours`.
    std::optional<std::int32_t> offset(int largestHours) {
        const bool negative = accept('-');
        if (!negative) {
            accept('+');
        }
        auto hours = number(largestHours);
        if (!hours) {
            return std::nullopt;
        }
        std::int32_t seconds = *hours * 3600;
        for (const int unit : {60, 1}) {
            if (!accept(':')) {
                break;
            }
            auto part = number(59);
            if (!part) {
                return std::nullopt;
            }
            seconds += *part * unit;
        }
        return negative ? -seconds : seconds;
    }

    std::optional<PosixTimeZoneRule::Day> day() {
        using Kind = PosixTimeZoneRule::Day::Kind;
        PosixTimeZoneRule::Day result;
        if (accept('M')) {
            auto month = number(12);
            auto week = month && accept('.') ? number(5) : std::nullopt;
            auto weekday = week && accept('.') ? number(6) : std::nullopt;
            if (!weekday || *month < 1 || *week < 1) {
                return std::nullopt;
            }
            result = {Kind::monthWeekDay, *month, *week, *weekday, 0, 2 * 3600};
        } else if (accept('J')) {
            auto day = number(365);
            if (!day || *day < 1) {
                return std::nullopt;
            }
            result = {Kind::julianWithoutLeapDay, 0, 0, 0, *day, 2 * 3600};
        } else {
            auto day = number(365);
            if (!day) {
                return std::nullopt;
            }
            result = {Kind::dayOfYear, 0, 0, 0, *day, 2 * 3600};
        }
        if (accept('/')) {
            // Zone files use hours from -167 to 167.
            auto time = offset(167);
            if (!time) {
                return std::nullopt;
            }
            result.time = *time;
        }
        return result;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

std::optional<PosixTimeZoneRule> PosixTimeZoneRule::parse(std::string_view text) {
    return PosixRuleParser(text).parse();
}

std::vector<ZoneTransition> PosixTimeZoneRule::transitionsIn(int year) const {
    if (!daylight_) {
        return {};
    }
    // Each date's time is local time as it is before the change.
    const std::int64_t start = daylight_->start.in(year) * 86400 + daylight_->start.time - standardOffset_;
    const std::int64_t end = daylight_->end.in(year) * 86400 + daylight_->end.time - daylight_->offset;
    ZoneTransition toDaylight{start, daylight_->offset, true, daylight_->abbreviation};
    ZoneTransition toStandard{end, standardOffset_, false, standardAbbreviation_};
    if (start < end) {
        return {toDaylight, toStandard};
    }
    return {toStandard, toDaylight};
}

} // namespace platform
