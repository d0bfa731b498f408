#include "tests/Folderdock/FolderdockTestSupport.h"
#include "platform/appkit/RunningApplication.h"
#include "platform/foundation/URL.h"
#include "tests/platform/time/TimeTestSupport.h"
#include "tests/support/TemporaryHome.h"

#include "Folderdock/AppDelegate.h"
#include "Folderdock/FolderdockApp.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace platform;
using folderdock_test::inListingOrder;
using folderdock_test::makeFile;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

constexpr auto key = Folderdock::MenuBarButton::appDirectoryKey;
const Lines fixedEntries{"  -----", "  Preferences [disabled]", "  Quit"};

Lines linesOf(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string folderURL(const fs::path& folder) { return URL::fileURL(folder.native(), true).absoluteString(); }

// A user with a fresh home running the program on the headless window
// server, which plays the other applications.
class MenuBarButtonTest : public ::testing::Test {
protected:
    void TearDown() override {
        session.reset();
        // Nothing may be left to write once the home folder is gone.
        UserDefaults::standard().synchronize();
    }
    // A start (or restart) of the program; gives what it wrote on standard output.
    Lines launch() {
        session.reset();
        ::testing::internal::CaptureStdout();
        session = std::make_unique<HeadlessSession>(HeadlessSession::Options{Date{1'780'000'000}, "dev.menulets.Folderdock"});
        session->launch<Folderdock::FolderdockApp>();
        driver().takeEvents();
        return linesOf(::testing::internal::GetCapturedStdout());
    }
    // A drop from the file manager; gives what the program wrote.
    Lines dropFile(const fs::path& item, bool expectAccepted = true) {
        ::testing::internal::CaptureStdout();
        const DropResult result = driver().dropFile(item.native());
        EXPECT_EQ(result.accepted, expectAccepted) << item;
        return linesOf(::testing::internal::GetCapturedStdout());
    }
    Lines menu() {
        driver().openMenu();
        auto lines = driver().menuLines();
        driver().closeMenu();
        return lines;
    }
    static Lines menuOf(const std::string& title, const Lines& entries) {
        Lines lines{"menu \"" + title + "\":"};
        lines.insert(lines.end(), entries.begin(), entries.end());
        lines.insert(lines.end(), fixedEntries.begin(), fixedEntries.end());
        return lines;
    }
    // Launches and opens, as the headless workspace reports them.
    Lines happenings() {
        Lines lines;
        for (const auto& event : driver().takeEvents()) {
            if (event.kind == "launched" || event.kind == "opened" || event.kind == "terminate") {
                lines.push_back(event.describe());
            }
        }
        return lines;
    }
    HeadlessDriver& driver() { return session->driver(); }
    Folderdock::MenuBarButton& barButton() { return *session->delegateAs<Folderdock::AppDelegate>()->barButton; }
    std::optional<URL> stored() { return UserDefaults::standard().url(key); }
    void makeApplications() {
        makeFile(apps / "Calculator.app/Contents/Info.plist");
        makeFile(apps / "Utilities/Terminal.app/Contents/Info.plist");
        makeFile(apps / "notes.txt");
        makeFile(apps / "editor.desktop", "[Desktop Entry]\nType=Application\nName=Editor\nExec=sh\n");
        makeFile(apps / "Krita.AppImage", "", true);
    }
    Lines appsMenu(const std::map<std::string, Lines>& change = {}) {
        std::map<std::string, Lines> byName{{"Calculator.app", {"  Calculator"}},
                                            {"Utilities", {"  Utilities >", "    Terminal"}},
                                            {"editor.desktop", {"  Editor"}},
                                            {"Krita.AppImage", {"  Krita"}}};
        for (const auto& [name, lines] : change) {
            byName[name] = lines;
        }
        return menuOf("apps", inListingOrder(apps, byName));
    }

    time_test::ScopedEnvironment environment{{"LC_ALL", "en_US.UTF-8"}};
    menulets::testing::TemporaryHome home;
    const fs::path apps = fs::path(home.path()) / "apps";
    std::unique_ptr<HeadlessSession> session;
};

TEST_F(MenuBarButtonTest, BeforeAnyDropTheMenuStillOffersQuit) {
    makeFile(fs::path(home.path()) / "Applications/Calculator.app/Contents/Info.plist");
    const Lines output = launch();
    EXPECT_EQ(output, (Lines{folderURL(fs::path(home.path()) / "Applications"),
                             folderURL(fs::path(home.path()) / "Applications/Calculator.app")}));
    for (const auto& window : Application::shared().windows()) {
        EXPECT_EQ(window->kind(), "status bar window");
    }
    auto& button = *driver().statusItem()->button();
    EXPECT_EQ(driver().statusItem()->describeLength(), "variable");
    EXPECT_EQ(button.title(), "");
    EXPECT_EQ(button.toolTip(), "Drop an application folder here. \nUse menu to launch apps. \nRight click to quit.");
    EXPECT_EQ(button.image()->describe(), "apps.ipad.landscape 22x22 template");
    EXPECT_EQ(button.image()->accessibilityDescription(), "");
    EXPECT_EQ(button.window()->registeredDraggedTypes(), Lines{"public.url"});

    EXPECT_EQ(menu(), menuOf("Cart", {}));
    driver().rightClick();
    EXPECT_EQ(driver().menuLines(), menuOf("Cart", {})) << "a right click opens the same menu";
    EXPECT_EQ(driver().choose("Preferences"), ChooseResult::disabled);
    EXPECT_EQ(driver().choose("Quit"), ChooseResult::chosen);
    EXPECT_TRUE(session->isTerminated());
}

TEST_F(MenuBarButtonTest, ADroppedFolderListsItsApplicationsAndLaunchesTheChosenOne) {
    makeApplications();
    launch();
    const Lines output = dropFile(apps);
    ASSERT_EQ(output.size(), 7u);
    EXPECT_EQ(output[0], folderURL(apps));
    EXPECT_EQ(output[1], folderURL(apps));
    EXPECT_EQ(stored(), URL::fileURL(apps.native(), true));

    EXPECT_EQ(menu(), appsMenu());
    EXPECT_EQ(driver().choose("Utilities/Terminal"), ChooseResult::chosen);
    EXPECT_EQ(driver().choose("Editor"), ChooseResult::chosen);
    EXPECT_EQ(driver().choose("Krita"), ChooseResult::chosen);
    EXPECT_EQ(happenings(), (Lines{"launched url=\"" + folderURL(apps / "Utilities/Terminal.app") + "\" name=\"Terminal\"",
                                   "opened url=\"" + URL::fileURL((apps / "editor.desktop").native()).absoluteString() + "\"",
                                   "opened url=\"" + URL::fileURL((apps / "Krita.AppImage").native()).absoluteString() + "\""}));
}

TEST_F(MenuBarButtonTest, ARunningApplicationIsDisabledUntilItQuits) {
    makeApplications();
    launch();
    dropFile(apps);
    const URL calculator = URL::fileURL((apps / "Calculator.app").native(), true);
    session->server().setRunningApplications({{"Calculator", calculator, "com.example.calculator", 42}});
    EXPECT_EQ(menu(), appsMenu({{"Calculator.app", {"  Calculator [disabled]"}}}));
    EXPECT_EQ(driver().choose("Calculator"), ChooseResult::disabled);
    driver().closeMenu();
    EXPECT_EQ(happenings(), Lines{});

    session->server().setRunningApplications({});
    EXPECT_EQ(menu(), appsMenu());
    EXPECT_EQ(driver().choose("Calculator"), ChooseResult::chosen);
    EXPECT_EQ(happenings(), Lines{"launched url=\"" + calculator.absoluteString() + "\" name=\"Calculator\""});
    EXPECT_EQ(menu(), appsMenu({{"Calculator.app", {"  Calculator [disabled]"}}})) << "now it runs";
}

TEST_F(MenuBarButtonTest, EachSubmenuIsListedOnlyWhenItOpens) {
    makeFile(apps / "Utilities/Terminal.app/Contents/Info.plist");
    makeFile(apps / "Utilities/More/Deeper/Console.app/Contents/Info.plist");
    fs::create_directory_symlink(apps, apps / "Utilities/loop");
    launch();
    dropFile(apps);
    driver().openMenu();
    auto folderEntry = driver().openedMenu()->itemAt(0);
    ASSERT_TRUE(folderEntry && folderEntry->hasSubmenu());
    EXPECT_EQ(folderEntry->submenu()->numberOfItems(), 0) << "listed before it opened";

    // What changes while the top menu is open shows in the submenu opened later.
    makeFile(apps / "Utilities/Activity Monitor.app/Contents/Info.plist");
    Lines utilities{"  Utilities >"};
    const Lines inside = inListingOrder(apps / "Utilities", {{"Terminal.app", {"    Terminal"}},
                                                             {"Activity Monitor.app", {"    Activity Monitor"}},
                                                             {"More", {"    More >", "      Deeper >", "        Console"}}});
    utilities.insert(utilities.end(), inside.begin(), inside.end());
    EXPECT_EQ(driver().menuLines(), menuOf("apps", utilities));
    EXPECT_EQ(driver().choose("Utilities/More/Deeper/Console"), ChooseResult::chosen);
    EXPECT_EQ(happenings().size(), 1u);
}

TEST_F(MenuBarButtonTest, APlainFileIsTakenButOtherDragsAreRefused) {
    makeApplications();
    launch();
    const Lines output = dropFile(apps / "notes.txt");
    const std::string notes = URL::fileURL((apps / "notes.txt").native()).absoluteString();
    EXPECT_EQ(output, (Lines{notes, notes}));
    EXPECT_EQ(menu(), menuOf("notes.txt", {}));

    const DropResult link = driver().dropURL("https://example.com/apps/");
    EXPECT_TRUE(link.reachedDestination);
    EXPECT_EQ(link.operation, DragOperation::copy);
    EXPECT_FALSE(link.accepted);
    EXPECT_FALSE(driver().dropText(apps.native()).accepted);
    Pasteboard web;
    web.setString("https://example.com/apps/", PasteboardType::fileURL);
    web.setString("https://example.com/apps/", PasteboardType::URL);
    EXPECT_TRUE(driver().drop(web).accepted) << "a file URL that is none is taken and ignored";
    EXPECT_EQ(stored(), URL::fileURL((apps / "notes.txt").native()));
}

TEST_F(MenuBarButtonTest, TheLastDroppedFolderIsKeptAcrossRestarts) {
    makeApplications();
    makeFile(home.path() + "/other/Chess.app/Contents/Info.plist");
    launch();
    dropFile(apps);
    dropFile(fs::path(home.path()) / "other");
    launch();
    EXPECT_EQ(menu(), menuOf("other", {"  Chess"}));

    UserDefaults::standard().set(5, key);
    launch();
    EXPECT_EQ(menu(), menuOf("Cart", {})) << "a stored value that is no URL counts as absent";
}

TEST_F(MenuBarButtonTest, AnEntryWithoutAnApplicationDoesNothing) {
    launch();
    auto entry = MenuItem::make("Nothing", "launchAppWithSender:");
    entry->setRepresentedObject(std::string("file:///Applications/Calculator.app/"));
    barButton().launchApp(entry.get());
    barButton().launchApp(nullptr);
    EXPECT_EQ(happenings(), Lines{});
}

} // namespace
