#include "tests/platform/time/TimeTestSupport.h"
#include "tests/support/TemporaryHome.h"

#include "Urlstash/AppDelegate.h"
#include "Urlstash/LinkFile.h"
#include "Urlstash/UrlstashApp.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/Bundle.h"
#include "platform/headless/HeadlessSession.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace platform;

namespace {

using Lines = std::vector<std::string>;
constexpr auto key = Urlstash::LinkFile::mostRecentLogKey;
const std::string sunday = "\nSunday, December 6, 2026\n\n";

// hour:minute in New York, December 2026 (standard time all month, UTC-5).
Date december(unsigned day, int hour, int minute = 0) { return time_test::utc(2026, 12, day, hour + 5, minute); }

// A US English user in New York with a fresh home, running the program on
// the headless window server and the virtual clock.
class MenuBarButtonTest : public ::testing::Test {
protected:
    void TearDown() override {
        session.reset();
        // Nothing may be left to write once the home folder is gone.
        UserDefaults::standard().synchronize();
    }
    // A start (or restart) of the program at that moment.
    void launch(Date at) {
        session.reset();
        session = std::make_unique<HeadlessSession>(HeadlessSession::Options{at, "dev.menulets.Urlstash"});
        session->launch<Urlstash::UrlstashApp>();
        driver().takeEvents();
    }
    HeadlessDriver& driver() { return session->driver(); }
    Urlstash::MenuBarButton& barButton() { return *session->delegateAs<Urlstash::AppDelegate>()->barButton; }
    std::optional<PropertyList> storedLog() { return UserDefaults::standard().object(key); }
    std::string linksFolder() const { return home.dataHome() + "/dev.menulets.Urlstash/Links"; }
    std::string linksFile() const { return linksFolder() + "/links.txt"; }
    std::string fileText() const {
        std::ifstream in(linksFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    Lines happenings() {
        Lines lines;
        for (const auto& event : driver().takeEvents()) {
            if (event.kind == "opened" || event.kind == "terminate") {
                lines.push_back(event.describe());
            }
        }
        return lines;
    }

    time_test::ScopedEnvironment environment{{"TZ", "America/New_York"}, {"LC_ALL", "en_US.UTF-8"}};
    menulets::testing::TemporaryHome home;
    std::unique_ptr<HeadlessSession> session;
};

TEST_F(MenuBarButtonTest, OneHeadingPerCalendarDayAcrossMidnightAndRestarts) {
    launch(december(6, 22));
    EXPECT_EQ(fileText(), sunday);
    EXPECT_EQ(storedLog(), PropertyList(december(6, 22).timeIntervalSince1970));

    driver().dropURL("https://a.example/one", "One");
    driver().advance(119 * 60);
    driver().dropURL("https://b.example/two");
    driver().advance(120);
    driver().dropURL("http://c.example/", "");
    std::string expected = sunday + "- [One](https://a.example/one) \n- [b.example](https://b.example/two) \n"
                                    "\nMonday, December 7, 2026\n\n- [](http://c.example/) \n";
    EXPECT_EQ(fileText(), expected);

    launch(december(7, 9));
    EXPECT_EQ(barButton().mostRecentLog(), december(7, 0, 1));
    driver().dropURL("https://d.example/");
    expected += "- [d.example](https://d.example/) \n";
    EXPECT_EQ(fileText(), expected);

    launch(december(8, 10));
    EXPECT_EQ(fileText(), expected);
    driver().dropURL("https://e.example/", "E");
    EXPECT_EQ(fileText(), expected + "\nTuesday, December 8, 2026\n\n- [E](https://e.example/) \n");
    EXPECT_EQ(storedLog(), PropertyList(december(8, 10).timeIntervalSince1970));
}

TEST_F(MenuBarButtonTest, AStoredValueThatIsNoNumberCountsAsMissing) {
    launch(december(6, 22));
    UserDefaults::standard().set("1765000000", key);
    launch(december(7, 9));
    EXPECT_EQ(storedLog(), PropertyList(december(7, 9).timeIntervalSince1970));
    driver().dropURL("https://a.example/");

    UserDefaults::standard().set(PropertyList::integer(static_cast<long>(december(7, 9).timeIntervalSince1970)), key);
    launch(december(8, 9));
    driver().dropURL("https://b.example/");
    EXPECT_EQ(fileText(), sunday + "- [a.example](https://a.example/) \n\nTuesday, December 8, 2026\n\n"
                                   "- [b.example](https://b.example/) \n");
}

TEST_F(MenuBarButtonTest, StatusItemTakesLinksRevealsTheFolderAndQuits) {
    launch(december(6, 22));
    for (const auto& window : Application::shared().windows()) {
        EXPECT_EQ(window->kind(), "status bar window");
    }
    auto& button = *driver().statusItem()->button();
    EXPECT_EQ(driver().statusItem()->describeLength(), "22");
    EXPECT_EQ(button.title(), "📥");
    EXPECT_EQ(button.accessibilityHelp(), "📥");
    EXPECT_EQ(button.toolTip(), "Drop a link to save to file. \nClick to reveal folder. \nRight click to quit.");
    EXPECT_EQ(button.image()->describe(), "archivebox 22x22 template");
    EXPECT_EQ(button.image()->accessibilityDescription(), "");
    EXPECT_EQ(button.sendActionMask(), EventMask::leftMouseUp | EventMask::rightMouseUp);
    EXPECT_EQ(button.window()->registeredDraggedTypes(), Lines{"public.url"});

    EXPECT_FALSE(driver().dropText("https://a.example/").reachedDestination);
    DraggingInfo text(Pasteboard::forText("https://a.example/"));
    EXPECT_EQ(barButton().draggingEntered(text), DragOperation::copy);
    EXPECT_FALSE(barButton().handleDrop(text));
    EXPECT_FALSE(driver().dropURL("not a url", "x").accepted);
    EXPECT_FALSE(driver().dropURL("--help").accepted) << "no scheme, no link";
    EXPECT_EQ(fileText(), sunday);

    driver().click();
    EXPECT_EQ(happenings(), Lines{"opened url=\"" + URL::fileURL(linksFolder(), true).absoluteString() + "\""});
    driver().rightClick();
    EXPECT_EQ(happenings(), Lines{"terminate status=0"});
    EXPECT_TRUE(session->isTerminated());
}

TEST_F(MenuBarButtonTest, UnwritableFilesAreSaidAndRefusedButNeverStopTheProgram) {
    namespace fs = std::filesystem;
    launch(december(6, 22));
    fs::remove(linksFile());
    driver().dropURL("https://a.example/", "A");
    driver().dropURL("https://b.example/", "B");
    EXPECT_EQ(fileText(), "- [A](https://a.example/) \n- [B](https://b.example/) \n");

    // Next day, with a folder where the file was: neither heading nor line,
    // the drop is refused and standard error says why.
    driver().advance(24 * 3600);
    fs::rename(linksFile(), linksFolder() + "/kept.txt");
    fs::create_directory(linksFile());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(driver().dropURL("https://c.example/", "C").accepted);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Urlstash: cannot open " + linksFile() + ": Is a directory\n");
    EXPECT_EQ(barButton().mostRecentLog(), december(6, 22));
    EXPECT_TRUE(fs::is_empty(linksFile()));

    // A FIFO without a reader and a device are refused at once, never waited on.
    fs::remove(linksFile());
    ASSERT_EQ(::mkfifo(linksFile().c_str(), 0600), 0);
    EXPECT_FALSE(driver().dropURL("https://f.example/", "F").accepted);
    fs::remove(linksFile());
    fs::create_symlink("/dev/full", linksFile());
    EXPECT_FALSE(driver().dropURL("https://g.example/", "G").accepted);
    fs::remove(linksFile());

    // The folder itself replaced by a file: the atomic write fails too.
    fs::remove_all(linksFolder());
    std::ofstream(linksFolder()) << "in the way";
    EXPECT_FALSE(driver().dropURL("https://d.example/", "D").accepted);

    fs::remove(linksFolder());
    fs::create_directory(linksFolder());
    EXPECT_TRUE(driver().dropURL("https://e.example/", "E").accepted);
    EXPECT_EQ(fileText(), "- [E](https://e.example/) \n");
    driver().rightClick();
    EXPECT_EQ(happenings(), Lines{"terminate status=0"}) << "the latest write succeeded";
}

TEST_F(MenuBarButtonTest, AProgramWhoseLatestWriteFailedEndsWithAFailure) {
    launch(december(6, 22));
    std::filesystem::remove(linksFile());
    std::filesystem::create_directory(linksFile());
    testing::internal::CaptureStderr();
    driver().dropURL("https://a.example/", "A");
    testing::internal::GetCapturedStderr();
    driver().rightClick();
    EXPECT_EQ(happenings(), Lines{"terminate status=1"});
}

TEST_F(MenuBarButtonTest, ALinkThatDoesNotFitIsRefusedWholeAndTheNextStartsOnItsOwnLine) {
    launch(december(6, 22));
    driver().dropURL("https://a.example/", "A");
    const std::string before = fileText();

    // The file may grow by a few bytes only, as on a disk about to fill up:
    // the write takes part of the line, then fails. The defaults were just
    // written, so their next write is not due inside the limit (it would
    // fail too, and say so first).
    ASSERT_TRUE(platform::UserDefaults::standard().synchronize());
    struct rlimit original {};
    ::getrlimit(RLIMIT_FSIZE, &original);
    const auto ignoredSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = original;
    small.rlim_cur = before.size() + 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    testing::internal::CaptureStderr();
    const bool accepted = driver().dropURL("https://b.example/a/long/page", "B").accepted;
    const std::string said = testing::internal::GetCapturedStderr();
    ::setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, ignoredSignal);

    EXPECT_FALSE(accepted);
    // What was said was cut short by the same limit.
    EXPECT_TRUE(said.starts_with("Urlstash: cannot write")) << said;
    EXPECT_EQ(fileText(), before) << "no part of the refused line is left";
    EXPECT_TRUE(driver().dropURL("https://c.example/", "C").accepted);
    EXPECT_EQ(fileText(), before + "- [C](https://c.example/) \n");
}

using MenuBarButtonDeathTest = MenuBarButtonTest;

TEST_F(MenuBarButtonDeathTest, StopsWithoutABundleIdentifierOrALinkFolder) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Bundle::setMainBundleIdentifier(std::nullopt);
            Urlstash::MenuBarButton::make();
        },
        ::testing::KilledBySignal(SIGABRT),
        "^Urlstash/MenuBarButton\\.cpp:[0-9]+: Fatal error: Error getting Bundle\\.main\\.bundleIdentifier\n$");
    std::ofstream(home.dataHome()) << "a file, not a folder";
    EXPECT_EXIT(launch(december(6, 22)), ::testing::KilledBySignal(SIGABRT),
                "Fatal error: An error occured when creating directory\n$");
}

} // namespace
