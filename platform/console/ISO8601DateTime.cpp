#include "platform/console/ISO8601DateTime.h"

#include "platform/time/Calendar.h"

#include <cctype>
#include <cmath>
#include <cstdint>

namespace platform {

namespace {

// Days from 1970-01-01 to a proleptic Gregorian date.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : days[month - 1];
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool atEnd() const { return at_ == text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[at_]; }
    bool take(char c) {
        if (peek() != c) {
            return false;
        }
        ++at_;
        return true;
    }
    // Exactly `count` digits.
    std::optional<int> digits(int count) {
        int value = 0;
        for (int i = 0; i < count; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(peek()))) {
                return std::nullopt;
            }
            value = value * 10 + (text_[at_++] - '0');
        }
        return value;
    }
    double fraction() {
        double value = 0;
        double scale = 0.1;
        while (std::isdigit(static_cast<unsigned char>(peek()))) {
            value += (text_[at_++] - '0') * scale;
            scale /= 10;
        }
        return value;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// Seconds the current zone is ahead of UTC at the moment `utc`.
double localOffset(double utc) {
    auto parts = Calendar::current().components(Date{utc});
    if (!parts) {
        return 0;
    }
    const double wall = static_cast<double>(daysFromCivil(parts->year, static_cast<unsigned>(parts->month),
                                                          static_cast<unsigned>(parts->day))) *
                            86400.0 +
                        parts->hour * 3600.0 + parts->minute * 60.0 + parts->second;
    return wall - std::floor(utc);
}

} // namespace

std::optional<Date> parseISO8601DateTime(std::string_view text) {
    Reader reader(text);
    auto year = reader.digits(4);
    if (!year || !reader.take('-')) {
        return std::nullopt;
    }
    auto month = reader.digits(2);
    if (!month || !reader.take('-')) {
        return std::nullopt;
    }
    auto day = reader.digits(2);
    if (!day || !(reader.take('T') || reader.take('t') || reader.take(' '))) {
        return std::nullopt;
    }
    auto hour = reader.digits(2);
    if (!hour || !reader.take(':')) {
        return std::nullopt;
    }
    auto minute = reader.digits(2);
    if (!minute) {
        return std::nullopt;
    }
    int second = 0;
    double fraction = 0;
    if (reader.take(':')) {
        auto whole = reader.digits(2);
        if (!whole) {
            return std::nullopt;
        }
        second = *whole;
        if (reader.take('.') || reader.take(',')) {
            fraction = reader.fraction();
        }
    }
    if (*month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*year, *month) || *hour > 23 || *minute > 59 ||
        second > 59) {
        return std::nullopt;
    }
    const double naive = static_cast<double>(daysFromCivil(*year, static_cast<unsigned>(*month),
                                                           static_cast<unsigned>(*day))) *
                             86400.0 +
                         *hour * 3600.0 + *minute * 60.0 + second + fraction;
    if (reader.atEnd()) {
        // Wall-clock time: find the moment whose local reading it is.
        double guess = naive - localOffset(naive);
        guess = naive - localOffset(guess);
        return Date{guess};
    }
    if (reader.take('Z') || reader.take('z')) {
        return reader.atEnd() ? std::optional(Date{naive}) : std::nullopt;
    }
    const char sign = reader.peek();
    if (!(reader.take('+') || reader.take('-'))) {
        return std::nullopt;
    }
    auto offsetHours = reader.digits(2);
    if (!offsetHours) {
        return std::nullopt;
    }
    int offsetMinutes = 0;
    if (!reader.atEnd()) {
        reader.take(':');
        auto minutes = reader.digits(2);
        if (!minutes) {
            return std::nullopt;
        }
        offsetMinutes = *minutes;
    }
    if (!reader.atEnd() || *offsetHours > 23 || offsetMinutes > 59) {
        return std::nullopt;
    }
    const double offset = (*offsetHours * 3600.0 + offsetMinutes * 60.0) * (sign == '-' ? -1 : 1);
    return Date{naive - offset};
}

} // namespace platform
