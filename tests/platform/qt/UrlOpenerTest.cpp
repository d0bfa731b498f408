#include "platform/qt/UrlOpener.h"

#include "tests/platform/qt/OffscreenApplication.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using platform::UrlOpener;

namespace {

// An xdg-open of the test's own first on PATH, ending as the test says.
class UrlOpenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        menulets::testing::offscreenApplication();
        folder = std::filesystem::temp_directory_path() / ("url-opener-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        savedPath = std::getenv("PATH");
        ::setenv("PATH", (folder.string() + ":" + savedPath).c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", savedPath.c_str(), 1);
        std::filesystem::remove_all(folder);
    }
    void fakeXdgOpen(const std::string& body) {
        const auto script = folder / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }

    std::filesystem::path folder;
    std::string savedPath;
};

TEST_F(UrlOpenerTest, AURLIsTakenOnlyWhenAHandlerTookIt) {
    fakeXdgOpen("echo \"$1\" > \"$(dirname \"$0\")/opened\"; exit 0");
    EXPECT_TRUE(UrlOpener::open("https://a.example/page"));
    std::ifstream opened(folder / "opened");
    std::string line;
    std::getline(opened, line);
    EXPECT_EQ(line, "https://a.example/page");

    // Text that looks like an option never reaches xdg-open, which would
    // take it as one and end in success.
    fakeXdgOpen("exit 0");
    EXPECT_FALSE(UrlOpener::open("--help"));

    // xdg-open's status when no application handles the URL.
    fakeXdgOpen("exit 4");
    EXPECT_FALSE(UrlOpener::open("nohandler:thing"));
    fakeXdgOpen("exit 3");
    EXPECT_FALSE(UrlOpener::open("https://a.example/"));

    std::filesystem::remove(folder / "xdg-open");
    ::setenv("PATH", folder.string().c_str(), 1); // no xdg-open at all
    EXPECT_FALSE(UrlOpener::open("https://a.example/"));
}

} // namespace
