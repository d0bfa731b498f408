#include "Folderdock/ApplicationLog.h"
#include "Folderdock/FolderdockApp.h"

#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/headless/HeadlessSession.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// Five levels of folders: the top one holds 8 subfolders and 100
// applications, and so on down to 512 folders of 14 applications each,
// 10,108 entries in all. Every tenth application is a desktop entry.
constexpr std::array<int, 5> foldersPerFolder{8, 4, 4, 4, 0};
constexpr std::array<int, 5> applicationsPerFolder{100, 30, 20, 10, 14};

int fill(const fs::path& folder, std::size_t level) {
    fs::create_directories(folder);
    int entries = 0;
    for (int app = 0; app < applicationsPerFolder[level]; ++app, ++entries) {
        const std::string name = "Application " + std::to_string(app);
        if (app % 10 == 9) {
            std::ofstream(folder / (name + ".desktop")) << "[Desktop Entry]\nType=Application\nName=" << name << "\n";
        } else {
            fs::create_directories(folder / (name + ".app/Contents"));
        }
    }
    for (int sub = 0; sub < foldersPerFolder[level]; ++sub, ++entries) {
        entries += fill(folder / ("Folder " + std::to_string(sub)), level + 1);
    }
    return entries;
}

// A home with the tree in it and the program running on the headless window
// server, its folder already dropped; made once for all the benchmarks.
class DockedTree {
public:
    DockedTree() {
        std::string pattern = (fs::temp_directory_path() / "folderdock-benchmark-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        home_ = pattern;
        ::setenv("HOME", home_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
        entries_ = fill(tree(), 0);
        session_ = std::make_unique<HeadlessSession>(HeadlessSession::Options{Date{1'780'000'000}, "dev.menulets.Folderdock"});
        std::ostringstream quiet;
        auto* standardOutput = std::cout.rdbuf(quiet.rdbuf());
        session_->launch<Folderdock::FolderdockApp>();
        session_->driver().dropFile(tree().native());
        std::cout.rdbuf(standardOutput);
    }
    ~DockedTree() {
        session_.reset();
        UserDefaults::standard().synchronize();
        std::error_code ignored;
        fs::remove_all(home_, ignored);
    }

    fs::path tree() const { return home_ / "Applications Tree"; }
    int entries() const { return entries_; }
    HeadlessDriver& driver() { return session_->driver(); }

    // The submenu of the first folder at each level down to `level` (2 is a
    // submenu of the top menu), each opened on the way as the user would.
    std::shared_ptr<Menu> openSubmenu(int level) {
        driver().openMenu();
        std::shared_ptr<Menu> menu = driver().openedMenu();
        for (int depth = 2; depth <= level; ++depth) {
            std::shared_ptr<Menu> submenu;
            for (const auto& entry : menu->items()) {
                if (entry->hasSubmenu()) {
                    submenu = entry->submenu();
                    break;
                }
            }
            if (depth < level) {
                submenu->open();
            }
            menu = submenu;
        }
        return menu;
    }

private:
    fs::path home_;
    int entries_ = 0;
    std::unique_ptr<HeadlessSession> session_;
};

DockedTree& dockedTree() {
    static DockedTree tree;
    return tree;
}

void openTopMenu(benchmark::State& state) {
    DockedTree& tree = dockedTree();
    for (auto _ : state) {
        tree.driver().openMenu();
        benchmark::DoNotOptimize(tree.driver().openedMenu()->numberOfItems());
        tree.driver().closeMenu();
    }
    state.counters["treeEntries"] = tree.entries();
}

void openSubmenu(benchmark::State& state) {
    DockedTree& tree = dockedTree();
    auto submenu = tree.openSubmenu(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        submenu->open();
        benchmark::DoNotOptimize(submenu->numberOfItems());
        submenu->close();
    }
    state.counters["entries"] = submenu->numberOfItems();
    tree.driver().closeMenu();
}

// The listing a drop writes, of the whole tree: cut short after its line limit.
void logDroppedTree(benchmark::State& state) {
    DockedTree& tree = dockedTree();
    const URL folder = URL::fileURL(tree.tree().native(), true);
    for (auto _ : state) {
        std::ostringstream out;
        Folderdock::logApplications(folder, out);
        benchmark::DoNotOptimize(out.str().size());
    }
}

} // namespace

BENCHMARK(openTopMenu)->Unit(benchmark::kMillisecond);
BENCHMARK(openSubmenu)->DenseRange(2, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(logDroppedTree)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
