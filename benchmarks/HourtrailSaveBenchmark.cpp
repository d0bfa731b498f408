// What one of Hourtrail's periodic saves costs, with a store of N
// applications and N websites: the main thread's two parts (the tracker
// handing ten seconds of credits to its writer, and the encoded store put
// into the defaults), a whole save (until the defaults hold the store), and the parts a save is made of, the
// store copied and encoded as the binary property list the defaults keep.
// Reported per entry too, so that a cost that grows faster than the store
// shows as a falling rate.
#include "Hourtrail/ActivityTracker.h"
#include "Hourtrail/Store.h"

#include "platform/appkit/RunningApplication.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/plist/PropertyListEncoder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

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

void encodeStoreWithoutTree(benchmark::State& state) {
    const Hourtrail::Store store = storeOf(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::PropertyListEncoder::encodeWithoutTree(store));
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

// A tracker on a headless session whose defaults, in a folder of their own,
// hold a store of `entries` applications and websites.
class TrackerWithStore {
public:
    explicit TrackerWithStore(std::int64_t entries) {
        char folder[] = "/tmp/hourtrail-benchmark-XXXXXX";
        home_ = mkdtemp(folder);
        setenv("HOME", home_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home_ + "/config").c_str(), 1);
        session_.emplace(platform::HeadlessSession::Options{platform::Date{1'780'000'000}, "dev.menulets.Hourtrail"});
        platform::UserDefaults::standard().set(platform::PropertyList(platform::PropertyListEncoder::encode(storeOf(entries))),
                                               Hourtrail::ActivityTracker::storeKey);
        platform::RunningApplication front;
        front.localizedName = "Application number 1";
        session_->server().setFrontmostApplication(front);
        tracker_ = Hourtrail::ActivityTracker::make();
    }
    ~TrackerWithStore() {
        tracker_.reset();
        platform::UserDefaults::standard().synchronize();
        session_.reset();
        std::filesystem::remove_all(home_);
    }

    Hourtrail::ActivityTracker& tracker() { return *tracker_; }

private:
    std::string home_;
    std::optional<platform::HeadlessSession> session_;
    std::shared_ptr<Hourtrail::ActivityTracker> tracker_;
};

void saveOnMainThread(benchmark::State& state) {
    TrackerWithStore fixture(state.range(0));
    auto& tracker = fixture.tracker();
    for (auto _ : state) {
        state.PauseTiming();
        tracker.waitForSaves();
        for (int second = 0; second < 10; ++second) {
            tracker.tick();
        }
        state.ResumeTiming();
        tracker.saveStore();
    }
    tracker.waitForSaves();
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}

// The main thread's other part: the writer's encoding put into the defaults,
// a value unlike the one before (the seconds moved on).
void deliverOnMainThread(benchmark::State& state) {
    TrackerWithStore fixture(state.range(0));
    Hourtrail::Store store = storeOf(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        store.activities.begin()->second.accumulated += 1;
        platform::PropertyList encoded(platform::PropertyListEncoder::encode(store));
        state.ResumeTiming();
        platform::UserDefaults::standard().set(std::move(encoded), Hourtrail::ActivityTracker::storeKey);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}

void wholeSave(benchmark::State& state) {
    TrackerWithStore fixture(state.range(0));
    auto& tracker = fixture.tracker();
    tracker.waitForSaves();
    for (auto _ : state) {
        tracker.tick();
        tracker.saveStore();
        tracker.waitForSaves();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}

} // namespace

// Each iteration waits for the writer, untimed, so their number is fixed.
BENCHMARK(saveOnMainThread)->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(deliverOnMainThread)->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(wholeSave)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(encodeStore)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(encodeStoreWithoutTree)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(encodeStoreTree)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(copyStore)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
