#include "platform/plist/BinaryPropertyList.h"

#include <benchmark/benchmark.h>

using namespace platform;

namespace {

// A store of `count` link records, the shape most programs persist.
PropertyList linkStore(int count) {
    PropertyListArray links;
    for (int i = 0; i < count; ++i) {
        links.push_back(PropertyListDictionary{
            {"url", PropertyListDictionary{{"relative", "https://example.com/item/" + std::to_string(i)}}},
            {"title", "Caf\xC3\xA9 n\xC2\xB0" + std::to_string(i) + " \xF0\x9F\x98\x80"},
            {"price", 9.99 + i},
            {"added", Date::fromTimeIntervalSinceReferenceDate(7e8 + i)},
            {"count", PropertyList::integer(i)},
        });
    }
    return PropertyListDictionary{{"links", std::move(links)}};
}

void writeLinkStore(benchmark::State& state) {
    const PropertyList store = linkStore(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const Data file = BinaryPropertyList::write(store);
        bytes += file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void readLinkStore(benchmark::State& state) {
    const Data file = BinaryPropertyList::write(linkStore(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        std::optional<PropertyList> value = BinaryPropertyList::read(file);
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

} // namespace

BENCHMARK(writeLinkStore)->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(readLinkStore)->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK_MAIN();
