#include "platform/qt/browsers/BrowserSessionFile.h"
#include "platform/qt/browsers/ChromiumSession.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using platform::BrowserSessionFile;
using platform::ChromiumSession;
namespace fs = std::filesystem;

namespace {

// A session log written as the browsers write theirs.
class Log {
public:
    Log() : bytes_("SNSS\x03\0\0\0", 8) {}

    static std::string integer(std::int32_t value) {
        std::string out;
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i) & 0xFF));
        }
        return out;
    }
    static std::string padded(std::string bytes) {
        bytes.resize((bytes.size() + 3) / 4 * 4, '\0');
        return bytes;
    }
    Log& command(int id, const std::string& arguments) {
        const std::size_t size = arguments.size() + 1;
        bytes_.push_back(static_cast<char>(size & 0xFF));
        bytes_.push_back(static_cast<char>(size >> 8));
        bytes_.push_back(static_cast<char>(id));
        bytes_ += arguments;
        return *this;
    }
    Log& pair(int id, std::int32_t first, std::int32_t second) { return command(id, integer(first) + integer(second)); }
    Log& navigation(std::int32_t tab, std::int32_t entry, const std::string& address, const std::u16string& title) {
        std::string title16;
        for (char16_t unit : title) {
            title16.push_back(static_cast<char>(unit & 0xFF));
            title16.push_back(static_cast<char>(unit >> 8));
        }
        const std::string payload = integer(tab) + integer(entry) + integer(static_cast<std::int32_t>(address.size())) +
                                    padded(address) + integer(static_cast<std::int32_t>(title.size())) +
                                    padded(title16) + integer(0);
        return command(6, integer(static_cast<std::int32_t>(payload.size())) + payload);
    }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Window 1 shows its second tab; its first went back in its history; a
// third tab and window 2 were closed.
Log twoTabs() {
    Log log;
    log.pair(0, 1, 10).pair(2, 10, 0).pair(0, 1, 11).pair(2, 11, 1).pair(0, 1, 12).pair(2, 12, 2);
    log.navigation(10, 0, "https://a.example/", u"A").navigation(10, 1, "https://a.example/next", u"A next");
    log.pair(7, 10, 0);
    log.navigation(11, 0, "https://b.example/", u"B\u00e9 \u2713");
    log.navigation(12, 0, "https://closed.example/", u"Closed").command(16, Log::integer(12) + std::string(12, '\0'));
    log.pair(0, 2, 13).navigation(13, 0, "https://gone.example/", u"Gone").command(17, Log::integer(2));
    // Commands not read (window bounds, a marker) are passed over.
    log.command(9, std::string(20, '\x7f')).command(255, "");
    log.pair(8, 1, 1).command(20, Log::integer(1));
    return log;
}

TEST(ChromiumSessionTest, TheLogLeavesTheOpenTabsEachWithTheEntryItShows) {
    const auto pages = ChromiumSession::read(twoTabs().bytes());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].title, "A");
    EXPECT_EQ(pages[0].address, "https://a.example/");
    EXPECT_FALSE(pages[0].selected);
    EXPECT_EQ(pages[1].title, "B\u00e9 \u2713");
    EXPECT_EQ(pages[1].address, "https://b.example/");
    EXPECT_TRUE(pages[1].selected);
    EXPECT_TRUE(pages[1].inFrontWindow);
    EXPECT_FALSE(pages[0].inFrontWindow);
}

// Chromium writes a page when it is committed, before its title is known,
// and a tab brought to the front a moment later.
TEST(ChromiumSessionTest, WithoutTitlesTheFrontWindowsTabCountsWhileTheFileIsCurrent) {
    const fs::path file = fs::temp_directory_path() / ("chromium-front-" + std::to_string(::getpid()));
    const auto write = [&file](int selectedPlace, int secondsAhead) {
        Log log;
        log.pair(0, 1, 10).pair(2, 10, 0).pair(0, 1, 11).pair(2, 11, 1);
        log.navigation(10, 0, "https://a.example/", u"").navigation(11, 0, "https://b.example/", u"");
        log.pair(8, 1, selectedPlace).command(20, Log::integer(1));
        std::ofstream(file, std::ios::binary) << log.bytes();
        fs::last_write_time(file, fs::file_time_type::clock::now() + std::chrono::seconds(secondsAhead));
    };
    write(0, 0);
    BrowserSessionFile session(file, ChromiumSession::read);
    EXPECT_EQ(session.addressShownIn("A page - Chromium"), "https://a.example/");
    // The other tab is brought to the front; until the browser writes that
    // down, the page in front is not known.
    EXPECT_FALSE(session.addressShownIn("B page - Chromium"));
    write(1, 5);
    EXPECT_EQ(session.addressShownIn("B page - Chromium"), "https://b.example/");
    fs::remove(file);
}

TEST(ChromiumSessionTest, TheSelectedTabIsCountedAmongTheOpenOnesInTheOrderOfTheirPlaces) {
    // Three tabs at places 0, 1, 2; the first is closed and the third
    // selected, which is now the second of those open.
    Log log;
    for (int tab : {20, 21, 22}) {
        log.pair(0, 1, tab).pair(2, tab, tab - 20);
        log.navigation(tab, 0, "https://t" + std::to_string(tab) + ".example/", u"T");
    }
    log.command(16, Log::integer(20) + std::string(12, '\0')).pair(8, 1, 1);
    const auto pages = ChromiumSession::read(log.bytes());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_FALSE(pages[0].selected) << pages[0].address;
    EXPECT_TRUE(pages[1].selected) << pages[1].address;
    EXPECT_EQ(pages[1].address, "https://t22.example/");
}

TEST(ChromiumSessionTest, ALogCutAnywhereOrDamagedGivesWhatItHolds) {
    // A prefix holds the tabs opened and not yet closed by then.
    const std::string bytes = twoTabs().bytes();
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        for (const auto& page : ChromiumSession::read(bytes.substr(0, length))) {
            EXPECT_TRUE(page.address.ends_with(".example/") || page.address.ends_with("/next")) << length;
        }
    }
    // Lengths that point past the command, or are negative.
    Log damaged;
    damaged.command(6, Log::integer(40) + Log::integer(1) + Log::integer(0) + Log::integer(1 << 30))
        .command(6, Log::integer(40) + Log::integer(2) + Log::integer(0) + Log::integer(-5))
        .command(6, Log::integer(40) + Log::integer(3) + Log::integer(0) + Log::integer(0) + Log::integer(1 << 29));
    EXPECT_TRUE(ChromiumSession::read(damaged.bytes()).empty());
    EXPECT_TRUE(ChromiumSession::read("SNSX\x03\0\0\0").empty());
}

TEST(ChromiumSessionTest, TheFileIsTheOneTheProcessHoldsElseTheNewest) {
    const fs::path root = fs::temp_directory_path() / ("chromium-session-" + std::to_string(::getpid()));
    for (const char* profile : {"chromium/Default/Sessions", "chromium/Profile 1/Sessions", "proc/31/fd"}) {
        fs::create_directories(root / profile);
    }
    const fs::path older = root / "chromium/Default/Sessions/Session_13441310829298731";
    const fs::path newer = root / "chromium/Profile 1/Sessions/Session_13441310829299999";
    std::ofstream(older) << "SNSS";
    std::ofstream(newer) << "SNSS";
    fs::last_write_time(older, fs::file_time_type::clock::now() - std::chrono::hours(1));
    fs::create_symlink(root / "chromium/Default/Sessions/Tabs_1", root / "proc/31/fd/3");
    fs::create_symlink(older, root / "proc/31/fd/4");

    EXPECT_EQ(ChromiumSession::ofProcess(root / "proc", 31), older);
    EXPECT_FALSE(ChromiumSession::ofProcess(root / "proc", 32));
    EXPECT_EQ(ChromiumSession::newestIn({root / "nowhere", root / "chromium"}), newer);
    EXPECT_FALSE(ChromiumSession::newestIn({root / "nowhere"}));
    fs::remove_all(root);
}

} // namespace
