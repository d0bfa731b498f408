#include "tests/Folderdock/FolderdockTestSupport.h"
#include "platform/appkit/RunningApplication.h"
#include "platform/foundation/URL.h"
#include "tests/platform/time/TimeTestSupport.h"
#include "tests/support/TemporaryHome.h"

#include "Folderdock/AppEntries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sys/stat.h>
#include <vector>

using namespace platform;
using Folderdock::AppEntry;
using Folderdock::appEntries;
namespace fs = std::filesystem;
using fs::path;
using folderdock_test::makeFile;

namespace {

using Kind = AppEntry::Kind;

// The entries of a whole tree, one line each, a subfolder's own after it:
// "Utilities/", "Utilities/Terminal", "Calculator (running)".
void describeTree(const URL& folder, const std::vector<RunningApplication>& running, const std::string& prefix,
                  std::vector<std::string>& out) {
    for (const AppEntry& entry : appEntries(folder, running)) {
        if (entry.kind == Kind::folder) {
            out.push_back(prefix + entry.title + "/");
            describeTree(entry.url, running, prefix + entry.title + "/", out);
        } else {
            out.push_back(prefix + entry.title + (entry.running ? " (running)" : ""));
        }
    }
}

std::vector<std::string> tree(const path& folder, const std::vector<RunningApplication>& running = {}) {
    std::vector<std::string> out;
    describeTree(URL::fileURL(folder.native(), true), running, "", out);
    return out;
}

RunningApplication runningFrom(const std::optional<URL>& bundleURL) { return {"Some", bundleURL, std::nullopt, 1}; }

// A folder holding everything a user's application folder may hold, at a
// depth where one of its subfolders has a path too long to be listed.
class AppEntriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeFile(folder() / "Calculator.app/Contents/MacOS/Calculator", "", true);
        makeFile(folder() / "Calculator.app/Contents/Helper.app/Contents/Info.plist");
        makeFile(folder() / "Utilities/Terminal.app/Contents/Info.plist");
        makeFile(folder() / "notes.txt", "not an application");
        fs::create_directories(folder() / "Empty");
        makeFile(folder() / "Tool.app", "a file that is no bundle");
        fs::create_directories(folder() / "X.APP");
        makeFile(folder() / "Y.APP", "capitals are no application");
        makeFile(folder() / ".hidden/Secret.app/Contents/Info.plist");
        makeFile(folder() / "editor.desktop",
                 "[Desktop Entry]\nType=Application\nName=Editor\nName[de]=Bearbeiter\nExec=sh\n");
        makeFile(folder() / "uninstalled.desktop", "[Desktop Entry]\nType=Application\nName=Gone\nExec=gone-app\n");
        makeFile(folder() / "daemon.desktop", "[Desktop Entry]\nName=Daemon\nNoDisplay=true\n");
        makeFile(folder() / "removed.desktop", "[Desktop Entry]\nName=Removed\nHidden=true\n");
        makeFile(folder() / "Krita.AppImage", "\x7f" "ELF", true);
        makeFile(folder() / "Unpacked.AppImage", "not executable");
        fs::create_directory_symlink(folder(), folder() / "loop");
        fs::create_directory_symlink(folder() / "Utilities", folder() / "Shortcut");
    }

    path folder() const { return locked.parent(); }

    time_test::ScopedEnvironment language{{"LC_ALL", "en_US.UTF-8"}};
    menulets::testing::TemporaryHome home;
    folderdock_test::UnlistableFolder locked{path(home.path()) / "apps"};
};

TEST_F(AppEntriesTest, KeepsApplicationsAndFoldersInListingOrderWithoutEnteringBundles) {
    const std::map<std::string, std::vector<std::string>> byName{
        {"Calculator.app", {"Calculator"}},
        {"Utilities", {"Utilities/", "Utilities/Terminal"}},
        {"Empty", {"Empty/"}},
        {"Tool.app", {"Tool"}},
        {"X.APP", {"X.APP/"}},
        {".hidden", {".hidden/", ".hidden/Secret"}},
        {locked.name(), {locked.name() + "/"}},
        {"editor.desktop", {"Editor"}},
        {"Krita.AppImage", {"Krita"}},
        {"Shortcut", {"Shortcut/", "Shortcut/Terminal"}},
    };
    EXPECT_EQ(tree(folder()), folderdock_test::inListingOrder(folder(), byName));
}

// Links between folders are followed until one leads back to a folder the
// menus came through: to itself, to a folder above it, or round through
// another link.
TEST(AppEntriesLinks, LinkedFoldersAreSubfoldersUntilALinkLeadsBack) {
    menulets::testing::TemporaryHome home;
    const path apps = path(home.path()) / "apps";
    const path games = path(home.path()) / "games";
    makeFile(apps / "Work/Editor.app/Contents/Info.plist");
    makeFile(games / "Chess.app/Contents/Info.plist");
    fs::create_directory_symlink(games, apps / "Games");
    fs::create_directory_symlink(apps, games / "Back to apps");
    fs::create_directory_symlink(apps, apps / "Work" / "Up");
    fs::create_directory_symlink(apps / "Work", apps / "Work" / "Here");
    fs::create_directory_symlink(home.path() + "/nowhere", apps / "Dangling");
    makeFile(apps / "plain-file-link-target");
    fs::create_symlink(apps / "plain-file-link-target", apps / "File link");

    const std::map<std::string, std::vector<std::string>> byName{
        {"Work", {"Work/", "Work/Editor"}},
        {"Games", {"Games/", "Games/Chess"}},
    };
    EXPECT_EQ(tree(apps), folderdock_test::inListingOrder(apps, byName));
    // Entered from the games, the link back to the apps is a subfolder, and
    // the apps' link to the games is then the one that leads back.
    std::vector<std::string> fromGames = tree(games);
    std::sort(fromGames.begin(), fromGames.end());
    EXPECT_EQ(fromGames, (std::vector<std::string>{"Back to apps/", "Back to apps/Work/", "Back to apps/Work/Editor",
                                                   "Chess"}));
}

TEST_F(AppEntriesTest, RunningOnlyForTheCopyAtExactlyTheListedURL) {
    const URL top = URL::fileURL(folder().native(), true);
    const URL calculator = top.appendingPathComponent("Calculator.app", true);
    const auto elsewhere = URL::fromString("file:///Applications/Utilities/Terminal.app/");
    const auto withoutSlash = URL::fromString(calculator.absoluteString().substr(0, calculator.absoluteString().size() - 1));
    const auto terminal = std::string("Utilities/Terminal");
    auto lines = tree(folder(), {runningFrom(std::nullopt), runningFrom(elsewhere), runningFrom(withoutSlash)});
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Calculator"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), terminal), 1);

    lines = tree(folder(), {runningFrom(std::nullopt), runningFrom(calculator),
                            runningFrom(top.appendingPathComponent("Krita.AppImage", false))});
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Calculator (running)"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Krita (running)"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), terminal), 1);
}

TEST_F(AppEntriesTest, DesktopEntriesAreTitledInTheUsersLanguage) {
    time_test::ScopedEnvironment german{{"LC_ALL", "de_DE.UTF-8"}};
    const auto lines = tree(folder());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Bearbeiter"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Editor"), 0);
}

TEST_F(AppEntriesTest, DesktopEntriesWithoutANameOrUnreadableKeepTheirFileName) {
    const path other = path(home.path()) / "other";
    makeFile(other / "nameless.desktop", "[Desktop Entry]\nType=Application\nExec=sh\n");
    makeFile(other / "blank.desktop", "[Desktop Entry]\nType=Application\nName=\nExec=sh\n");
    fs::create_directories(other / "folder.desktop");
    fs::create_symlink(other / "missing", other / "dangling.desktop");
    fs::create_symlink(other / "missing", other / "dangling.AppImage");
    ASSERT_EQ(::mkfifo((other / "pipe.desktop").c_str(), 0644), 0);
    auto lines = tree(other);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"blank", "folder.desktop/", "nameless"}));
}

TEST_F(AppEntriesTest, AFolderThatCannotBeListedHasNoEntries) {
    EXPECT_TRUE(tree(folder() / locked.name()).empty());
    EXPECT_TRUE(tree(path(home.path()) / "missing").empty());
    EXPECT_TRUE(tree(folder() / "notes.txt").empty());
    EXPECT_TRUE(appEntries(URL::fromString("https://example.com/apps/").value(), {}).empty());
}

} // namespace
