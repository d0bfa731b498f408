// How long a report menu line's duration takes to format: one call per
// application or website line, every time the menu opens.
#include "platform/time/DateComponentsFormatter.h"

#include <benchmark/benchmark.h>

namespace {

void abbreviatedDuration(benchmark::State& state) {
    platform::DateComponentsFormatter formatter;
    formatter.unitsStyle = platform::DateComponentsFormatter::UnitsStyle::abbreviated;
    formatter.allowedUnits = platform::CalendarUnit::day | platform::CalendarUnit::hour | platform::CalendarUnit::minute;
    formatter.locale = platform::Locale("en_US");
    double seconds = 61;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatter.string(seconds));
        seconds += 37;
    }
}
BENCHMARK(abbreviatedDuration);

void positionalDuration(benchmark::State& state) {
    platform::DateComponentsFormatter formatter;
    formatter.zeroFormattingBehavior = platform::DateComponentsFormatter::ZeroFormattingBehavior::pad;
    formatter.allowedUnits = platform::CalendarUnit::minute | platform::CalendarUnit::second;
    formatter.locale = platform::Locale("en_US");
    double seconds = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatter.string(seconds));
        seconds += 1;
    }
}
BENCHMARK(positionalDuration);

} // namespace

BENCHMARK_MAIN();
