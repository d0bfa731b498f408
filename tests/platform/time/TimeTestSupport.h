#pragma once

#include "platform/foundation/Date.h"

#include <chrono>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace platform {
// Readable failure messages for dates.
inline void PrintTo(const Date& date, std::ostream* out) { *out << "Date{" << std::fixed << date.timeIntervalSince1970 << "}"; }
} // namespace platform

namespace time_test {

// Sets (or, with nullopt, unsets) environment variables for one test and puts
// the old values back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::initializer_list<std::pair<const char*, std::optional<std::string>>> values) {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            apply(name, value);
        }
    }
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) apply(it->first.c_str(), it->second);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    static void apply(const char* name, const std::optional<std::string>& value) {
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A UTC moment from its civil fields, worked out without ICU.
inline platform::Date utc(int year, unsigned month, unsigned day, int hour = 0, int minute = 0, int second = 0) {
    using namespace std::chrono;
    auto days = sys_days(year_month_day(std::chrono::year(year), std::chrono::month(month), std::chrono::day(day)));
    auto seconds = days.time_since_epoch() + hours(hour) + minutes(minute) + std::chrono::seconds(second);
    return platform::Date{static_cast<double>(duration_cast<std::chrono::seconds>(seconds).count())};
}

} // namespace time_test
