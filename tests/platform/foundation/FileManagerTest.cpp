#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileHandle.h"
#include "platform/foundation/FileManager.h"

#include "platform/foundation/URL.h"
#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using platform::Data;
using platform::FileHandle;
using platform::FileManager;
using platform::URL;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void makeFile(const std::string& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
}

class Files : public ::testing::Test {
protected:
    menulets::testing::TemporaryHome home;
    FileManager& files = FileManager::defaultManager();
    std::string root = home.path() + "/work";

    void SetUp() override { fs::create_directories(root); }
};

TEST_F(Files, UserFoldersFollowTheEnvironment) {
    using platform::SearchPathDirectory;
    using platform::SearchPathDomain;
    auto support = files.urlsForDirectory(SearchPathDirectory::applicationSupport, SearchPathDomain::user);
    ASSERT_EQ(support.size(), 1u);
    EXPECT_EQ(support[0].path(), home.dataHome());
    EXPECT_TRUE(support[0].hasDirectoryPath());

    // The XDG rules ignore relative values.
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    support = files.urlsForDirectory(SearchPathDirectory::applicationSupport, SearchPathDomain::user);
    EXPECT_EQ(support[0].path(), home.path() + "/.local/share");

    const auto applications = files.urlsForDirectory(SearchPathDirectory::applications, SearchPathDomain::user);
    ASSERT_EQ(applications.size(), 1u);
    EXPECT_EQ(applications[0].absoluteString(), "file://" + home.path() + "/Applications/");
}

TEST_F(Files, ListingIsShallowIncludesHiddenItemsAndMarksOnlyRealDirectories) {
    fs::create_directories(root + "/Calculator.app/Contents");
    fs::create_directories(root + "/.hidden");
    makeFile(root + "/notes.txt", "x");
    makeFile(root + "/.profile", "x");
    fs::create_directory_symlink(root + "/.hidden", root + "/link");
    fs::create_symlink(root + "/missing", root + "/dangling");

    auto listing = files.contentsOfDirectory(URL::fileURL(root, true));
    ASSERT_TRUE(listing);
    std::set<std::string> names;
    for (const URL& item : *listing) {
        names.insert(item.absoluteString());
    }
    const std::string base = "file://" + root + "/";
    EXPECT_EQ(names, (std::set<std::string>{base + "Calculator.app/", base + ".hidden/", base + "notes.txt",
                                            base + ".profile", base + "link", base + "dangling"}));
}

TEST_F(Files, ListingFailsWithAnErrorForWhatIsNotAReadableFolder) {
    makeFile(root + "/plain", "x");
    for (const std::string& path : {root + "/missing", root + "/plain"}) {
        std::string error;
        EXPECT_FALSE(files.contentsOfDirectory(URL::fileURL(path, true), &error)) << path;
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    EXPECT_FALSE(files.contentsOfDirectory(*URL::fromString("https://example.com/")));
}

TEST_F(Files, ListingAnUnreadableFolderFails) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not apply to root";
    }
    fs::create_directory(root + "/locked");
    ::chmod((root + "/locked").c_str(), 0);
    EXPECT_FALSE(files.contentsOfDirectory(URL::fileURL(root + "/locked", true)));
    ::chmod((root + "/locked").c_str(), 0700);
}

TEST_F(Files, CreatesFoldersWithOrWithoutIntermediates) {
    std::string error;
    EXPECT_FALSE(files.createDirectory(root + "/a/b", false, &error));
    EXPECT_FALSE(error.empty());

    EXPECT_TRUE(files.createDirectory(URL::fileURL(root + "/a/b/c", true), true));
    bool isDirectory = false;
    EXPECT_TRUE(files.fileExists(root + "/a/b/c", isDirectory));
    EXPECT_TRUE(isDirectory);
    EXPECT_TRUE(files.createDirectory(root + "/a/b/c", true)) << "an existing folder is no error";
    EXPECT_FALSE(files.createDirectory(root + "/a/b/c", false)) << "unless intermediates are off";

    makeFile(root + "/file", "x");
    EXPECT_FALSE(files.createDirectory(root + "/file/sub", true, &error));
    EXPECT_FALSE(files.createDirectory(root + "/file", true));
}

TEST_F(Files, FileExistsFollowsLinks) {
    makeFile(root + "/file", "x");
    fs::create_symlink(root + "/file", root + "/good");
    fs::create_symlink(root + "/gone", root + "/dangling");
    bool isDirectory = true;
    EXPECT_TRUE(files.fileExists(root + "/good", isDirectory));
    EXPECT_FALSE(isDirectory);
    EXPECT_FALSE(files.fileExists(root + "/dangling"));
    EXPECT_FALSE(files.fileExists(root + "/gone"));
}

TEST_F(Files, HandleAppendsAtTheEndOfAnExistingFile) {
    const std::string path = root + "/links.txt";
    makeFile(path, "first\n");
    std::string error;
    auto handle = FileHandle::forWritingTo(URL::fileURL(path, false), &error);
    ASSERT_TRUE(handle) << error;
    EXPECT_EQ(handle->seekToEndOfFile(), 6u);
    EXPECT_TRUE(handle->write(platform::dataFromString("second\n")));
    handle->close();
    EXPECT_FALSE(handle->write(platform::dataFromString("late")));
    EXPECT_EQ(contents(path), "first\nsecond\n");
}

TEST_F(Files, HandleDoesNotOpenMissingFilesOrFolders) {
    std::string error;
    EXPECT_FALSE(FileHandle::forWritingAtPath(root + "/none.txt", &error));
    EXPECT_NE(error.find("none.txt"), std::string::npos);
    EXPECT_FALSE(fs::exists(root + "/none.txt"));
    EXPECT_FALSE(FileHandle::forWritingAtPath(root));
}

TEST_F(Files, AtomicWriteReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    const std::string path = root + "/state.plist";
    ASSERT_TRUE(files.writeAtomically(platform::dataFromString("old contents"), URL::fileURL(path, false)));
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(files.writeAtomically(platform::dataFromString("new"), path));
    EXPECT_EQ(contents(path), "new");
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u) << "a replaced file keeps its permissions";
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
}

TEST_F(Files, FailedAtomicWriteKeepsWhatWasThere) {
    fs::create_directory(root + "/folder");
    std::string error;
    EXPECT_FALSE(files.writeAtomically(platform::dataFromString("x"), root + "/folder", &error));
    EXPECT_TRUE(fs::is_directory(root + "/folder"));
    EXPECT_FALSE(files.writeAtomically(platform::dataFromString("x"), root + "/missing/file", &error));
    EXPECT_NE(error.find("missing/file"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
}

TEST_F(Files, TildeExpandsToAndAbbreviatesTheHomeFolder) {
    EXPECT_EQ(files.expandingTildeInPath("~/Apps"), home.path() + "/Apps");
    EXPECT_EQ(files.expandingTildeInPath("~"), home.path());
    EXPECT_EQ(files.expandingTildeInPath("/tmp/~"), "/tmp/~");
    EXPECT_EQ(files.abbreviatingWithTildeInPath(home.path() + "/Apps"), "~/Apps");
    EXPECT_EQ(files.abbreviatingWithTildeInPath(home.path() + "x/Apps"), home.path() + "x/Apps");
}

TEST(Bundle, IdentifierIsWhatTheProgramSet) {
    platform::Bundle::setMainBundleIdentifier("dev.menulets.Carryover");
    EXPECT_EQ(platform::Bundle::main().bundleIdentifier(), "dev.menulets.Carryover");
    platform::Bundle::setMainBundleIdentifier(std::nullopt);
    EXPECT_FALSE(platform::Bundle::main().bundleIdentifier());
}

} // namespace
