#include "tests/Folderdock/FolderdockTestSupport.h"
#include "platform/foundation/URL.h"
#include "tests/support/TemporaryHome.h"

#include "Folderdock/ApplicationLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace platform;
using Folderdock::ApplicationLogLimits;
using folderdock_test::makeFile;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

class ApplicationLogTest : public ::testing::Test {
protected:
    Lines log(const fs::path& folder, ApplicationLogLimits limits = {}) {
        std::ostringstream out;
        Folderdock::logApplications(URL::fileURL(folder.native(), true), out, limits);
        Lines lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    std::string url(const std::string& relative) const {
        return URL::fileURL(root.native() + relative, relative.ends_with("/")).absoluteString();
    }

    menulets::testing::TemporaryHome home;
    const fs::path root = fs::path(home.path()) / "Applications";
};

TEST_F(ApplicationLogTest, ListsEachFolderThenItsApplicationsAndSubfolders) {
    makeFile(root / "Calculator.app/Contents/Helper.app/Info.plist");
    makeFile(root / "Utilities/Terminal.app/Contents/Info.plist");
    makeFile(root / "Utilities/readme.txt");
    makeFile(root / "notes.txt");
    makeFile(root / "Tool.app");
    fs::create_directory_symlink(root, root / "loop");

    const Lines lines = log(root);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), url("/"));
    Lines sorted(lines.begin() + 1, lines.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (Lines{url("/Calculator.app/"), url("/Tool.app"), url("/Utilities/"),
                             url("/Utilities/Terminal.app/")}));
    const auto utilities = std::find(lines.begin(), lines.end(), url("/Utilities/"));
    ASSERT_NE(utilities + 1, lines.end());
    EXPECT_EQ(*(utilities + 1), url("/Utilities/Terminal.app/"));
}

TEST_F(ApplicationLogTest, FoldersLinkedRoundInACircleAreListedOnce) {
    const fs::path elsewhere = fs::path(home.path()) / "Elsewhere";
    makeFile(elsewhere / "Game.app");
    fs::create_directories(root);
    fs::create_directory_symlink(elsewhere, root / "Linked");
    fs::create_directory_symlink(root, elsewhere / "Back");

    EXPECT_EQ(log(root), (Lines{url("/"), url("/Linked/"), url("/Linked/Game.app")}));
}

TEST_F(ApplicationLogTest, AFolderThatCannotBeListedWritesOnlyItsOwnLine) {
    EXPECT_EQ(log(root), Lines{url("/")});
    makeFile(root);
    EXPECT_EQ(log(root), Lines{url("/")});
}

TEST_F(ApplicationLogTest, DeepFoldersAreLeftOutAndTheLastLineSaysSo) {
    makeFile(root / "one/two/three/four/Deep.app");
    EXPECT_EQ(log(root, {.maxDepth = 2, .maxLines = 100}),
              (Lines{url("/"), url("/one/"), url("/one/two/"),
                     "Listing shortened: folders more than 2 levels down not listed"}));
    EXPECT_EQ(log(root, {.maxDepth = 4, .maxLines = 100}),
              (Lines{url("/"), url("/one/"), url("/one/two/"), url("/one/two/three/"), url("/one/two/three/four/"),
                     url("/one/two/three/four/Deep.app")}));
}

TEST_F(ApplicationLogTest, AHugeFolderStopsAfterTheLineLimit) {
    for (int folder = 0; folder < 40; ++folder) {
        for (int app = 0; app < 30; ++app) {
            makeFile(root / ("f" + std::to_string(folder)) / ("a" + std::to_string(app) + ".app"));
        }
    }
    const Lines lines = log(root);
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_EQ(lines.back(), "Listing shortened: stopped after 1000 lines");

    EXPECT_EQ(log(root, {.maxDepth = 6, .maxLines = 1}),
              (Lines{url("/"), "Listing shortened: stopped after 1 lines"}));
}

} // namespace
