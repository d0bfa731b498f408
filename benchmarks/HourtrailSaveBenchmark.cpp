// What one of Hourtrail's periodic saves costs the main thread: its store of
// N applications and N websites copied, and encoded as the binary property
// list the defaults keep. Reported per entry, so that a cost that grows
// faster than the store shows as a rising figure.
#include "Hourtrail/Store.h"

#include "platform/plist/PropertyListEncoder.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

Hourtrail::Store storeOf(std::int64_t entries) {
    Hourtrail::Store store;
    for (std::int64_t i = 0; i < entries; ++i) {
        const std::string name = "Application number " + std::to_string(i);
        store.activities.emplace(name, Hourtrail::AppActivity{name, static_cast<double>(i)});
        const std::string host = "host-" + std::to_string(i) + ".example";
        store.webActivities.emplace(host, Hourtrail::WebsiteActivity{host, static_cast<double>(i)});
    }
    return store;
}

void encodeStore(benchmark::State& state) {
    const Hourtrail::Store store = storeOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::PropertyListEncoder::encode(store));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}

void encodeStoreTree(benchmark::State& state) {
    const Hourtrail::Store store = storeOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::PropertyListEncoder::encodeToTree(store));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}

void copyStore(benchmark::State& state) {
    const Hourtrail::Store store = storeOf(state.range(0));
    for (auto _ : state) {
        Hourtrail::Store copy = store;
        benchmark::DoNotOptimize(copy);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}

} // namespace

BENCHMARK(encodeStore)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(encodeStoreTree)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(copyStore)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
