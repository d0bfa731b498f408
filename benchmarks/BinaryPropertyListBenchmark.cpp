// Encodes and decodes the same four trees with the platform's binary
// property-list codec and, where libplist was found at configure time, with
// libplist, then prints how many times faster ours is on each. The encoder's
// cost per record is measured from 1k to 300k records, where it should stay flat.
//
//   build/benchmarks/BinaryPropertyListBenchmark [--write-trees=DIR] [benchmark flags]
//
// On a busy machine, medians of interleaved repetitions are the figures to quote:
//   --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true
//   --benchmark_report_aggregates_only=true
//
// --write-trees=DIR also writes each tree, encoded by our codec, to
// DIR/<tree>.bplist, so that benchmarks/plistlib_comparison.py can time
// Python's plistlib on exactly the same trees.
#include "platform/plist/BinaryPropertyList.h"

#include <benchmark/benchmark.h>

#ifdef MENULETS_HAVE_LIBPLIST
#include <plist/plist.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

using namespace platform;

namespace {

// A settings-like record: ten keys of every scalar kind and two small containers.
PropertyList tenKeyDictionary() {
    return PropertyListDictionary{
        {"name", "Hourtrail"},
        {"identifier", "dev.menulets.Hourtrail"},
        {"version", PropertyList::integer(3)},
        {"ratio", 0.75},
        {"enabled", true},
        {"modified", Date::fromTimeIntervalSinceReferenceDate(7.5e8)},
        {"token", Data{0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x02, 0x03, 0x04}},
        {"url", PropertyListDictionary{{"relative", "https://example.com/settings"}}},
        {"tags", PropertyListArray{"work", "home", "travel"}},
        {"launches", PropertyList::integer(1234567)},
    };
}

// A store of `count` link records, the shape most programs persist.
PropertyList records(int count) {
    PropertyListArray links;
    links.reserve(static_cast<std::size_t>(count));
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

// Distinct strings outside ASCII, from Latin accents to CJK and emoji.
PropertyList nonAsciiStrings(int count) {
    PropertyListArray strings;
    strings.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        strings.push_back("Gr\xC3\xBC\xC3\x9F" "e aus Z\xC3\xBCrich \xE2\x84\x96" + std::to_string(i) +
                          " \xE2\x80\x94 \xE6\x9D\xB1\xE4\xBA\xAC\xE3\x81\xAE\xE5\xA4\x9C \xF0\x9F\x8C\x83");
    }
    return strings;
}

struct Tree {
    std::string name;
    PropertyList value;
};

const std::vector<Tree>& trees() {
    static const std::vector<Tree> all = {
        {"tenKeyDictionary", tenKeyDictionary()},
        {"records1k", records(1000)},
        {"records100k", records(100000)},
        {"nonAsciiStrings20k", nonAsciiStrings(20000)},
    };
    return all;
}

void encodeOurs(benchmark::State& state, const Tree* tree) {
    for (auto _ : state) {
        Data file = BinaryPropertyList::write(tree->value);
        benchmark::DoNotOptimize(file.data());
    }
}

void decodeOurs(benchmark::State& state, const Tree* tree) {
    const Data file = BinaryPropertyList::write(tree->value);
    for (auto _ : state) {
        std::optional<PropertyList> value = BinaryPropertyList::read(file);
        if (!value) {
            state.SkipWithError("our reader rejected our own file");
            break;
        }
        benchmark::DoNotOptimize(value);
    }
}

void encodeRecords(benchmark::State& state) {
    const PropertyList store = records(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Data file = BinaryPropertyList::write(store);
        benchmark::DoNotOptimize(file.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

#ifdef MENULETS_HAVE_LIBPLIST
plist_t libplistTree(const PropertyList& value) {
    switch (value.kind()) {
    case PropertyList::Kind::string: return plist_new_string(value.string()->c_str());
    case PropertyList::Kind::integer: {
        const PropertyListInteger integer = *value.integer();
        return plist_new_uint(integer.negative ? ~integer.magnitude + 1 : integer.magnitude);
    }
    case PropertyList::Kind::real: return plist_new_real(*value.real());
    case PropertyList::Kind::boolean: return plist_new_bool(*value.boolean());
    case PropertyList::Kind::date: {
        const double interval = value.date()->timeIntervalSinceReferenceDate();
        const double seconds = std::floor(interval);
        return plist_new_date(static_cast<std::int32_t>(seconds), static_cast<std::int32_t>((interval - seconds) * 1e6));
    }
    case PropertyList::Kind::data:
        return plist_new_data(reinterpret_cast<const char*>(value.data()->data()), value.data()->size());
    case PropertyList::Kind::array: {
        plist_t array = plist_new_array();
        for (const PropertyList& element : *value.array()) {
            plist_array_append_item(array, libplistTree(element));
        }
        return array;
    }
    case PropertyList::Kind::dictionary: {
        plist_t dictionary = plist_new_dict();
        for (const auto& [key, element] : *value.dictionary()) {
            plist_dict_set_item(dictionary, key.c_str(), libplistTree(element));
        }
        return dictionary;
    }
    case PropertyList::Kind::uid: return plist_new_uid(value.uid()->value);
    }
    return plist_new_string("");
}

void encodeLibplist(benchmark::State& state, const Tree* tree) {
    plist_t root = libplistTree(tree->value);
    for (auto _ : state) {
        char* bytes = nullptr;
        std::uint32_t length = 0;
        plist_to_bin(root, &bytes, &length);
        benchmark::DoNotOptimize(bytes);
        plist_to_bin_free(bytes);
    }
    plist_free(root);
}

void decodeLibplist(benchmark::State& state, const Tree* tree) {
    const Data file = BinaryPropertyList::write(tree->value);
    for (auto _ : state) {
        plist_t root = nullptr;
        plist_from_bin(reinterpret_cast<const char*>(file.data()), static_cast<std::uint32_t>(file.size()), &root);
        if (!root) {
            state.SkipWithError("libplist rejected our file");
            break;
        }
        benchmark::DoNotOptimize(root);
        plist_free(root);
    }
}
#endif

// Shows every run as the console reporter does and keeps each one's CPU time
// per iteration (the median, when repetitions are asked for) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) {
                continue;
            }
            // The name without the iteration and repetition counts some runs carry.
            const std::string name =
                run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
            const double nanoseconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
            if (median) {
                nanoseconds_[name] = nanoseconds;
            } else {
                nanoseconds_.try_emplace(name, nanoseconds);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const {
        std::printf("\nHow many times faster our codec is (CPU time per run):\n");
        for (const std::string operation : {"encode", "decode"}) {
            for (const Tree& tree : trees()) {
                const std::string prefix = operation + "/" + tree.name + "/";
                const auto ours = nanoseconds_.find(prefix + "ours");
                const auto theirs = nanoseconds_.find(prefix + "libplist");
                if (ours != nanoseconds_.end() && theirs != nanoseconds_.end()) {
                    std::printf("  %s %-20s %6.2fx libplist\n", operation.c_str(), tree.name.c_str(),
                                theirs->second / ours->second);
                }
            }
        }
        std::vector<std::pair<std::int64_t, double>> perRecord;
        for (const auto& [name, nanoseconds] : nanoseconds_) {
            constexpr std::string_view prefix = "encodeRecords/";
            if (name.starts_with(prefix)) {
                const std::int64_t count = std::stoll(name.substr(prefix.size()));
                perRecord.emplace_back(count, nanoseconds / static_cast<double>(count));
            }
        }
        if (perRecord.size() > 1) {
            std::sort(perRecord.begin(), perRecord.end());
            std::printf("Encoder cost per record:");
            double lowest = perRecord.front().second, highest = lowest;
            for (const auto& [count, nanoseconds] : perRecord) {
                std::printf(" %lldk %.0f ns", static_cast<long long>(count / 1000), nanoseconds);
                lowest = std::min(lowest, nanoseconds);
                highest = std::max(highest, nanoseconds);
            }
            std::printf("; highest / lowest %.2f\n", highest / lowest);
        }
    }

private:
    std::map<std::string, double> nanoseconds_;
};

bool writeTrees(const std::string& directory) {
    for (const Tree& tree : trees()) {
        const Data file = BinaryPropertyList::write(tree.value);
        std::ofstream out(directory + "/" + tree.name + ".bplist", std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s/%s.bplist\n", directory.c_str(), tree.name.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    constexpr std::string_view writeTreesFlag = "--write-trees=";
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with(writeTreesFlag)) {
            if (!writeTrees(std::string(argument.substr(writeTreesFlag.size())))) {
                return 1;
            }
        } else {
            arguments.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) {
        return 1;
    }
    for (const Tree& tree : trees()) {
        benchmark::RegisterBenchmark(("encode/" + tree.name + "/ours").c_str(), encodeOurs, &tree);
#ifdef MENULETS_HAVE_LIBPLIST
        benchmark::internal::Benchmark* libplist =
            benchmark::RegisterBenchmark(("encode/" + tree.name + "/libplist").c_str(), encodeLibplist, &tree);
        // libplist takes some 25 s for 100k records, hundreds of times our time:
        // one run tells the ratio, repetitions would only make the run long.
        if (tree.name == "records100k") {
            libplist->Iterations(1)->Repetitions(1);
        }
#endif
    }
    for (const Tree& tree : trees()) {
        benchmark::RegisterBenchmark(("decode/" + tree.name + "/ours").c_str(), decodeOurs, &tree);
#ifdef MENULETS_HAVE_LIBPLIST
        benchmark::RegisterBenchmark(("decode/" + tree.name + "/libplist").c_str(), decodeLibplist, &tree);
#endif
    }
    benchmark::RegisterBenchmark("encodeRecords", encodeRecords)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(300000);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
