#include "platform/qt/browsers/BrowserPages.h"
#include "platform/qt/browsers/BrowserSessionFile.h"
#include "platform/qt/browsers/FirefoxProfiles.h"
#include "platform/qt/browsers/FirefoxSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using platform::BrowserPages;
using platform::BrowserSessionFile;
using platform::FirefoxProfiles;
using platform::FirefoxSession;
namespace fs = std::filesystem;

namespace {

// A session store as Firefox writes it: two windows, the second showing its
// second tab, whose second history entry is the current one.
const std::string twoWindows = R"({"version":["sessionrestore",1],"windows":[
  {"selected":1,"tabs":[{"index":1,"entries":[{"url":"https://alpha.example/a","title":"Alpha"}]},
                        {"index":1,"entries":[{"url":"https://other.example/","title":"Other"}]}]},
  {"selected":2,"tabs":[{"index":1,"entries":[{"url":"https://gamma.example/","title":"Gamma"}]},
                        {"index":2,"entries":[{"url":"https://old.example/","title":"Old"},
                                              {"url":"https://www.beta.example/b?q=1","title":"Beta – news"}]}]}],
  "_closedWindows":[]})";

// The file Firefox keeps it in: one LZ4 block of literals only, which any
// decoder reads.
std::string mozLz4(const std::string& json) {
    std::string block;
    std::size_t length = json.size();
    if (length < 15) {
        block.push_back(static_cast<char>(length << 4));
    } else {
        block.push_back(static_cast<char>(0xF0));
        for (length -= 15; length >= 255; length -= 255) {
            block.push_back(static_cast<char>(255));
        }
        block.push_back(static_cast<char>(length));
    }
    block += json;
    const auto size = static_cast<std::uint32_t>(json.size());
    std::string file("mozLz40\0", 8);
    for (int i = 0; i < 4; ++i) {
        file.push_back(static_cast<char>(size >> (8 * i) & 0xFF));
    }
    return file + block;
}

class BrowserPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("browser-pages-" + std::to_string(::getpid()));
        fs::create_directories(root / "proc");
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path profile(const std::string& name, const std::string& json) {
        const fs::path folder = root / "firefox" / name;
        fs::create_directories(folder / "sessionstore-backups");
        std::ofstream(folder / "sessionstore-backups" / "recovery.jsonlz4", std::ios::binary) << mozLz4(json);
        return folder;
    }
    // A process of the test's own /proc with these files open.
    void process(int identifier, const std::vector<fs::path>& open) {
        const fs::path fds = root / "proc" / std::to_string(identifier) / "fd";
        fs::create_directories(fds);
        for (std::size_t i = 0; i < open.size(); ++i) {
            fs::create_symlink(open[i], fds / std::to_string(i + 3));
        }
    }

    fs::path root;
};

TEST_F(BrowserPagesTest, EachTabShowsTheCurrentPageOfItsHistory) {
    const auto pages = FirefoxSession::pages(twoWindows);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0].address, "https://alpha.example/a");
    EXPECT_TRUE(pages[0].selected);
    EXPECT_FALSE(pages[1].selected);
    EXPECT_EQ(pages[3].title, "Beta – news");
    EXPECT_EQ(pages[3].address, "https://www.beta.example/b?q=1");
    EXPECT_TRUE(pages[3].selected);
    // Not a session store, or not JSON: no pages.
    EXPECT_TRUE(FirefoxSession::pages(R"({"windows":[{"tabs":[]}, 3, {"tabs":[7, {"entries":[]}]}]})").empty());
    EXPECT_TRUE(FirefoxSession::pages("{\"windows\": [").empty());
}

TEST_F(BrowserPagesTest, AWindowIsKnownByItsTitle) {
    EXPECT_TRUE(BrowserSessionFile::titleShows("Beta – news \u2014 Mozilla Firefox", "Beta – news"));
    EXPECT_TRUE(BrowserSessionFile::titleShows("Beta – news - Mozilla Firefox", "Beta – news"));
    EXPECT_TRUE(BrowserSessionFile::titleShows("Beta", "Beta"));
    EXPECT_FALSE(BrowserSessionFile::titleShows("Beta – newsletter \u2014 Mozilla Firefox", "Beta – news"));
    EXPECT_FALSE(BrowserSessionFile::titleShows("Mozilla Firefox", ""));

    BrowserSessionFile session(FirefoxSession::fileIn(profile("one", twoWindows)), FirefoxSession::read);
    EXPECT_EQ(session.addressShownIn("Alpha \u2014 Mozilla Firefox"), "https://alpha.example/a");
    EXPECT_EQ(session.addressShownIn("Beta – news \u2014 Mozilla Firefox"), "https://www.beta.example/b?q=1");
    // A tab brought to the front since the last write is found by its title;
    // a private window's is in no store.
    EXPECT_EQ(session.addressShownIn("Other \u2014 Mozilla Firefox"), "https://other.example/");
    EXPECT_FALSE(session.addressShownIn("Secret \u2014 Mozilla Firefox Private Browsing"));
}

TEST_F(BrowserPagesTest, ATitleOfTabsOnDifferentHostsNamesNoneUnlessOneIsSelected) {
    BrowserSessionFile session(FirefoxSession::fileIn(profile("one", R"({"windows":[{"selected":3,"tabs":[
        {"entries":[{"url":"https://one.example/a","title":"Home"}]},
        {"entries":[{"url":"https://one.example/b","title":"Home"}]},
        {"entries":[{"url":"https://selected.example/","title":"Inbox"}]},
        {"entries":[{"url":"https://two.example/","title":"Inbox"}]},
        {"entries":[{"url":"https://three.example/","title":"Log in"}]},
        {"entries":[{"url":"https://four.example/","title":"Log in"}]},
        {"entries":[{"url":"https://notes.example/","title":"Home - Notes"}]}]}]})")),
                               FirefoxSession::read);
    EXPECT_EQ(session.addressShownIn("Home \u2014 Mozilla Firefox"), "https://one.example/a");
    EXPECT_EQ(session.addressShownIn("Inbox \u2014 Mozilla Firefox"), "https://selected.example/");
    EXPECT_FALSE(session.addressShownIn("Log in \u2014 Mozilla Firefox"));
    // "Home" is no match for a window showing "Home - Notes".
    EXPECT_EQ(session.addressShownIn("Home - Notes \u2014 Mozilla Firefox"), "https://notes.example/");
}

TEST_F(BrowserPagesTest, TheStoreIsReadAgainWhenTheBrowserRewritesIt) {
    const fs::path folder = profile("one", twoWindows);
    BrowserSessionFile session(FirefoxSession::fileIn(folder), FirefoxSession::read);
    EXPECT_EQ(session.addressShownIn("Alpha \u2014 Mozilla Firefox"), "https://alpha.example/a");
    profile("one", R"({"windows":[{"selected":1,"tabs":[{"index":1,"entries":[
        {"url":"https://delta.example/","title":"Alpha"}]}]}]})");
    fs::last_write_time(folder / "sessionstore-backups" / "recovery.jsonlz4",
                        fs::file_time_type::clock::now() + std::chrono::seconds(5));
    EXPECT_EQ(session.addressShownIn("Alpha \u2014 Mozilla Firefox"), "https://delta.example/");
    // Damaged, then gone: nothing is shown, and nothing breaks.
    std::ofstream(folder / "sessionstore-backups" / "recovery.jsonlz4", std::ios::binary) << "mozLz40";
    fs::last_write_time(folder / "sessionstore-backups" / "recovery.jsonlz4",
                        fs::file_time_type::clock::now() + std::chrono::seconds(10));
    EXPECT_FALSE(session.addressShownIn("Alpha \u2014 Mozilla Firefox"));
    fs::remove_all(folder);
    EXPECT_FALSE(session.addressShownIn("Alpha \u2014 Mozilla Firefox"));
}

TEST_F(BrowserPagesTest, TheProfileIsTheOneTheWindowsProcessHoldsElseARunningListedOne) {
    const fs::path held = profile("held", twoWindows);
    const fs::path listed = profile("abcd.default-esr", R"({"windows":[{"selected":1,"tabs":[{"entries":[
        {"url":"https://listed.example/","title":"Listed"}]}]}]})");
    const fs::path stale = profile("stale", R"({"windows":[{"selected":1,"tabs":[{"entries":[
        {"url":"https://stale.example/","title":"Listed"}]}]}]})");
    process(4242, {"/dev/null", held / "places.sqlite", held / ".parentlock"});
    process(77, {});
    fs::create_symlink("127.0.1.1:+77", listed / "lock");
    fs::create_symlink("127.0.1.1:+78", stale / "lock");
    std::ofstream(root / "firefox" / "profiles.ini")
        << "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default-esr\r\nIsRelative=1\r\n"
        << "Path=abcd.default-esr\r\n\r\n[Profile1]\r\nIsRelative=0\r\nPath=" << stale.string() << "\r\n"
        << "[Install4F96D1932A9F858E]\r\nDefault=abcd.default-esr\r\n";

    EXPECT_EQ(FirefoxProfiles::ofProcess(root / "proc", 4242), held);
    EXPECT_FALSE(FirefoxProfiles::ofProcess(root / "proc", 77));
    EXPECT_FALSE(FirefoxProfiles::ofProcess(root / "proc", 5));
    EXPECT_EQ(FirefoxProfiles::running(root / "proc", {root / "firefox", root / "nowhere"}),
              std::vector<fs::path>{listed});

    BrowserPages pages({root / "proc", {root / "firefox"}, {}});
    const auto page = [&](int process, const std::string& windowClass, const std::string& title) {
        return pages.pageIn({process, windowClass, title});
    };
    EXPECT_EQ(page(4242, "firefox-esr", "Alpha \u2014 Mozilla Firefox")->address, "https://alpha.example/a");
    // A browser just started holds no profile yet; it is looked for again.
    process(5050, {});
    EXPECT_FALSE(page(5050, "firefox-esr", "Alpha \u2014 Mozilla Firefox")->address);
    fs::create_symlink(held / ".parentlock", root / "proc" / "5050" / "fd" / "9");
    EXPECT_EQ(page(5050, "firefox-esr", "Alpha \u2014 Mozilla Firefox")->address, "https://alpha.example/a");
    // Wayland gives no process: the running profiles answer.
    EXPECT_EQ(page(0, "firefox", "Listed \u2014 Mozilla Firefox")->address, "https://listed.example/");
    // Firefox in front with a page not written down yet: a browser, page unknown.
    ASSERT_TRUE(page(4242, "Firefox", "New page \u2014 Mozilla Firefox"));
    EXPECT_FALSE(page(4242, "Firefox", "New page \u2014 Mozilla Firefox")->address);
    EXPECT_FALSE(page(4242, "org.gnome.TextEditor", "Alpha \u2014 Mozilla Firefox"));
    EXPECT_FALSE(page(4242, "firefoxy", "Alpha \u2014 Mozilla Firefox"));
    EXPECT_TRUE(BrowserPages::familyOf("Firefox-esr"));
    EXPECT_TRUE(BrowserPages::familyOf("org.mozilla.firefox"));
    EXPECT_EQ(BrowserPages::familyOf("Google-chrome"), BrowserPages::Family::chromium);
    EXPECT_EQ(BrowserPages::familyOf("brave-browser"), BrowserPages::Family::chromium);
}

} // namespace
