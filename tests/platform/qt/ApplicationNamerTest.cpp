#include "platform/qt/ApplicationNamer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using platform::ApplicationNamer;
using platform::DesktopEntryIndex;
namespace fs = std::filesystem;

namespace {

// A /proc of the test's own, whose processes link to executables in a
// folder of the test's own, and a folder of desktop entries naming some.
class ApplicationNamerTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("application-namer-" + std::to_string(::getpid()));
        fs::create_directories(root / "bin");
        fs::create_directories(root / "applications");
        fs::create_directories(root / "proc");
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path program(const std::string& name) {
        const fs::path path = root / "bin" / name;
        std::ofstream(path) << "#!/bin/sh\n";
        fs::permissions(path, fs::perms::owner_all);
        return fs::canonical(path);
    }
    void process(int processIdentifier, const fs::path& executable) {
        fs::create_directories(root / "proc" / std::to_string(processIdentifier));
        fs::create_symlink(executable, root / "proc" / std::to_string(processIdentifier) / "exe");
    }
    void entry(const std::string& file, const std::string& text) {
        std::ofstream(root / "applications" / file) << text;
    }
    ApplicationNamer namer(const std::string& locale = "") {
        return ApplicationNamer(root / "proc", DesktopEntryIndex({root / "applications"}, locale));
    }

    fs::path root;
};

TEST_F(ApplicationNamerTest, AProcessIsNamedByTheEntryThatRunsItsExecutable) {
    const fs::path editor = program("editor");
    process(42, editor);
    entry("editor.desktop", "[Desktop Entry]\nType=Application\nName=Text Editor\nName[de]=Texteditor\n"
                            "Exec=\"" + editor.string() + "\" --new-window %F\n");
    auto named = namer().application(42, "Editor-class");
    EXPECT_EQ(named.localizedName, "Text Editor");
    EXPECT_EQ(named.processIdentifier, 42);
    EXPECT_EQ(named.bundleURL, platform::URL::fileURL((root / "applications" / "editor.desktop").string()));
    EXPECT_EQ(namer("de_AT").application(42, "").localizedName, "Texteditor");
}

TEST_F(ApplicationNamerTest, AnEntryFoundOnThePathOrBehindEnvNamesItsProgram) {
    const fs::path viewer = program("viewer");
    const fs::path player = program("player");
    process(7, viewer);
    process(8, player);
    entry("viewer.desktop", "[Desktop Entry]\nName=Viewer\nType=Application\nExec=env LANG=C viewer %u\n");
    entry("player.desktop", "[Desktop Entry]\nType=Application\nName=Player\nExec=player\n");
    const char* savedPath = std::getenv("PATH");
    const std::string saved = savedPath ? savedPath : "";
    ::setenv("PATH", (root / "bin").c_str(), 1);
    auto names = namer();
    EXPECT_EQ(names.application(7, "").localizedName, "Viewer");
    EXPECT_EQ(names.application(8, "").localizedName, "Player");
    ::setenv("PATH", saved.c_str(), 1);
}

TEST_F(ApplicationNamerTest, WithoutAnEntryTheWindowClassThenTheExecutableNamesIt) {
    const fs::path tool = program("tool");
    process(9, tool);
    // Entries that name nothing: hidden, not an application, an action's group, a program elsewhere.
    entry("hidden.desktop", "[Desktop Entry]\nType=Application\nName=Hidden\nHidden=true\nExec=" + tool.string() + "\n");
    entry("link.desktop", "[Desktop Entry]\nType=Link\nName=Link\nExec=" + tool.string() + "\n");
    entry("action.desktop", "[Desktop Entry]\nType=Application\nName=Other\nExec=/nowhere/other\n"
                            "[Desktop Action New]\nName=Action\nExec=" + tool.string() + "\n");
    auto names = namer();
    EXPECT_EQ(names.application(9, "Toolbox").localizedName, "Toolbox");
    EXPECT_EQ(names.application(9, "Toolbox").bundleURL, platform::URL::fileURL(tool.string()));
    EXPECT_EQ(names.application(9, "").localizedName, "tool");
    // A process gone (or never given) has only its window's class.
    EXPECT_EQ(names.application(1234, "Gone").localizedName, "Gone");
    EXPECT_FALSE(names.application(0, "").localizedName);
}

TEST_F(ApplicationNamerTest, AWindowWithoutAProcessIsNamedByTheEntryItsApplicationIdNames) {
    // Wayland's windows give an app id and no process.
    entry("org.example.Mail.desktop", "[Desktop Entry]\nType=Application\nName=Mail\nExec=/nowhere/mail\n");
    entry("term.desktop", "[Desktop Entry]\nType=Application\nName=Terminal\nStartupWMClass=XTerm-Like\n"
                          "Exec=/nowhere/term\n");
    entry("hidden.desktop", "[Desktop Entry]\nType=Application\nName=Hidden\nHidden=true\nExec=/nowhere/hidden\n");
    fs::create_directories(root / "applications" / "games");
    std::ofstream(root / "applications" / "games" / "chess.desktop")
        << "[Desktop Entry]\nType=Application\nName=Chess\nExec=/nowhere/chess\n";
    auto names = namer();
    auto mail = names.application(0, "org.example.Mail");
    EXPECT_EQ(mail.localizedName, "Mail");
    EXPECT_EQ(mail.bundleURL, platform::URL::fileURL((root / "applications" / "org.example.Mail.desktop").string()));
    EXPECT_EQ(mail.processIdentifier, 0);
    // Window classes are often the id capitalised; a subfolder joins the id with '-'.
    EXPECT_EQ(names.application(0, "Org.Example.Mail").localizedName, "Mail");
    EXPECT_EQ(names.application(0, "xterm-like").localizedName, "Terminal");
    EXPECT_EQ(names.application(0, "games-chess").localizedName, "Chess");
    EXPECT_EQ(names.application(0, "chess").localizedName, "chess");
    EXPECT_EQ(names.application(0, "hidden").localizedName, "hidden");
    EXPECT_EQ(names.application(0, "org.example.Unknown").localizedName, "org.example.Unknown");
}

TEST_F(ApplicationNamerTest, AnEntryInstalledLaterIsFoundWithoutAnotherNamer) {
    const fs::path game = program("game");
    process(11, game);
    auto names = namer();
    EXPECT_EQ(names.application(11, "").localizedName, "game");
    fs::create_directories(root / "applications" / "games");
    std::ofstream(root / "applications" / "games" / "game.desktop")
        << "[Desktop Entry]\nType=Application\nName=Board Game\nExec=" << game.string() << "\n";
    EXPECT_EQ(names.application(11, "").localizedName, "Board Game");
}

} // namespace
