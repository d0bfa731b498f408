#include "DawnList/ContentView.h"
#include "DawnList/DawnListStore.h"

#include "platform/headless/HeadlessSession.h"
#include "platform/views/View.h"
#include "platform/views/ViewFinder.h"
#include "platform/views/ViewGraph.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// A home of its own, so the store reads and saves no one's list.
class BenchmarkHome {
public:
    BenchmarkHome() {
        std::string pattern = (fs::temp_directory_path() / "dawnlist-benchmark-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        home_ = pattern;
        ::setenv("HOME", home_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
        session_ = std::make_unique<HeadlessSession>(HeadlessSession::Options{Date{1'780'000'000}, "dev.menulets.DawnList"});
    }
    ~BenchmarkHome() {
        session_.reset();
        std::error_code ignored;
        fs::remove_all(home_, ignored);
    }

private:
    fs::path home_;
    std::unique_ptr<HeadlessSession> session_;
};

// One keystroke in the middle row of a list of state.range(0) entries, shown
// in the list window's views: the field takes the text, the store the entry,
// and the views are brought up to date, as the window's next turn does.
void keystroke(benchmark::State& state) {
    static BenchmarkHome home;
    auto store = DawnList::DawnListStore::make();
    std::vector<DawnList::DawnList> entries(static_cast<std::size_t>(state.range(0)));
    for (std::size_t index = 0; index < entries.size(); ++index) {
        entries[index].text = "6:00am entry " + std::to_string(index);
    }
    store->list = std::move(entries);
    auto graph = ViewGraph::make();
    graph->setRoot(View::make<DawnList::ContentView>(store));
    graph->setVisible(true);
    auto fields = ViewFinder(graph->root().node()).find<TextField::Node>("*");
    auto* field = fields.at(fields.size() / 2);
    field->beginEditing();
    std::string text = field->text();
    for (auto _ : state) {
        text.push_back('x');
        // The field being edited, as the graph has it after the last rebuild.
        graph->focusedField()->replaceText(text);
        graph->update();
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
}

} // namespace

BENCHMARK(keystroke)->Arg(50)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
