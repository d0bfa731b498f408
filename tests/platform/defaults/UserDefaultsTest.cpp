#include "platform/defaults/DefaultsFile.h"
#include "platform/defaults/DefaultsLocation.h"
#include "platform/defaults/DefaultsWriter.h"
#include "platform/defaults/GlobalDomainWriter.h"
#include "platform/defaults/URLArchive.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/SaveFailures.h"
#include "platform/plist/BinaryPropertyList.h"
#include "platform/runloop/Clock.h"
#include "platform/runloop/RunLoop.h"

#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <limits>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace platform;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, std::string_view bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::optional<PropertyList> onDisk(const std::string& path) {
    return BinaryPropertyList::read(dataFromString(contents(path)));
}

class Defaults : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::install(std::make_shared<VirtualClock>(Date{1796000000}));
        RunLoop::main().reset();
    }
    void TearDown() override {
        RunLoop::main().reset();
        Clock::install(nullptr);
    }

    // The stored files; the write locks beside them hold nothing.
    std::vector<std::string> filesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(DefaultsLocation::folder())) {
            if (entry.path().extension() != ".lock") {
                names.push_back(entry.path().filename().string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    menulets::testing::TemporaryHome home;
    const std::string domain = "dev.menulets.Test";
    const std::string path = home.configHome() + "/menulets/dev.menulets.Test.plist";
};

TEST_F(Defaults, TypedGettersConvertOtherKindsOrGiveTheirDefaults) {
    UserDefaults defaults(domain);
    defaults.set("12.5", "text");
    defaults.set("YES", "yes");
    defaults.set("banana", "word");
    defaults.set(600, "count");
    defaults.set(30.15, "real");
    defaults.set(true, "flag");
    defaults.set(PropertyList(dataFromString("raw")), "blob");
    defaults.set(PropertyList(PropertyListArray{PropertyList(1.0)}), "list");

    EXPECT_EQ(defaults.doubleValue("text"), 12.5);
    EXPECT_EQ(defaults.integer("text"), 12);
    EXPECT_TRUE(defaults.boolean("text"));
    EXPECT_TRUE(defaults.boolean("yes"));
    EXPECT_EQ(defaults.doubleValue("yes"), 0);
    EXPECT_FALSE(defaults.boolean("word"));
    EXPECT_EQ(defaults.string("count"), "600");
    EXPECT_EQ(defaults.string("real"), "30.15");
    EXPECT_EQ(defaults.doubleValue("count"), 600);
    EXPECT_EQ(defaults.integer("real"), 30);
    EXPECT_EQ(defaults.doubleValue("flag"), 1);
    EXPECT_EQ(defaults.string("flag"), "1");
    EXPECT_FALSE(defaults.string("blob"));
    EXPECT_EQ(defaults.data("blob"), dataFromString("raw"));
    EXPECT_FALSE(defaults.data("text"));
    EXPECT_EQ(defaults.doubleValue("list"), 0);
    EXPECT_FALSE(defaults.boolean("list"));

    EXPECT_FALSE(defaults.object("missing"));
    EXPECT_EQ(defaults.doubleValue("missing"), 0);
    EXPECT_EQ(defaults.integer("missing"), 0);
    EXPECT_FALSE(defaults.boolean("missing"));
    EXPECT_FALSE(defaults.string("missing"));
}

TEST_F(Defaults, IntegersKeepTheirRangeAndHugeRealsSaturate) {
    UserDefaults defaults(domain);
    defaults.set("9007199254740993", "exact");
    defaults.set(1e300, "huge");
    defaults.set(PropertyList::unsignedInteger(std::numeric_limits<std::uint64_t>::max()), "unsigned");
    EXPECT_EQ(defaults.integer("exact"), 9007199254740993);
    EXPECT_EQ(defaults.integer("huge"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(defaults.integer("unsigned"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(defaults.string("unsigned"), "18446744073709551615");
}

TEST_F(Defaults, ChangesAreVisibleAtOnceAndWrittenTogetherAtMostEveryTenSeconds) {
    UserDefaults defaults(domain);
    defaults.set(1.5, "Talkclock.accumulated");
    defaults.set(true, "Talkclock.running");
    defaults.removeObject("Talkclock.running");
    defaults.set(false, "Talkclock.showTitle");
    EXPECT_EQ(defaults.doubleValue("Talkclock.accumulated"), 1.5);
    EXPECT_FALSE(defaults.object("Talkclock.running"));
    EXPECT_FALSE(fs::exists(path)) << "nothing is written before the turn ends";

    RunLoop::main().runOneTurn();
    DefaultsWriter::shared().waitUntilIdle(); // the end of the turn handed the changes to the writer thread
    const PropertyListDictionary expected{{"Talkclock.accumulated", PropertyList(1.5)},
                                          {"Talkclock.showTitle", PropertyList(false)}};
    EXPECT_EQ(onDisk(path), PropertyList(expected));
    EXPECT_EQ(filesInFolder(), std::vector<std::string>{"dev.menulets.Test.plist"});

    // Later changes wait until ten seconds have passed since that write and
    // are then written together: a value set every second costs one write.
    const auto storedCount = [&] {
        DefaultsWriter::shared().waitUntilIdle();
        return UserDefaults(domain).doubleValue("Talkclock.accumulated");
    };
    for (double count = 2; count <= 10; ++count) {
        RunLoop::main().advance(1);
        defaults.set(count, "Talkclock.accumulated");
    }
    RunLoop::main().runOneTurn();
    EXPECT_EQ(storedCount(), 1.5) << "nine seconds after the last write";
    RunLoop::main().advance(1);
    EXPECT_EQ(storedCount(), 10);

    // synchronize() does not wait.
    defaults.set(11.0, "Talkclock.accumulated");
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(storedCount(), 11);

    // A run loop that forgets its queued blocks does not stop later writes.
    defaults.set(2.5, "Talkclock.accumulated");
    RunLoop::main().reset();
    defaults.set(3.5, "Talkclock.accumulated");
    RunLoop::main().advance(10);
    EXPECT_EQ(storedCount(), 3.5);
}

TEST_F(Defaults, SynchronizeWritesAtOnceAndAnotherInstanceReadsIt) {
    {
        UserDefaults defaults(domain);
        defaults.set("first", "key");
        ASSERT_TRUE(defaults.synchronize());
        EXPECT_EQ(onDisk(path), PropertyList(PropertyListDictionary{{"key", PropertyList("first")}}));
        defaults.set("second", "key");
    } // destruction writes what is pending
    UserDefaults reopened(domain);
    EXPECT_EQ(reopened.string("key"), "second");
}

TEST_F(Defaults, WritesReplaceTheFileInsteadOfRewritingIt) {
    UserDefaults defaults(domain);
    defaults.set("old", "key");
    ASSERT_TRUE(defaults.synchronize());
    std::ifstream oldVersion(path, std::ios::binary); // still open on the old file
    defaults.set("new value", "key");
    ASSERT_TRUE(defaults.synchronize());
    const std::string old(std::istreambuf_iterator<char>(oldVersion), {});
    EXPECT_EQ(BinaryPropertyList::read(dataFromString(old)),
              PropertyList(PropertyListDictionary{{"key", PropertyList("old")}}));
    EXPECT_EQ(UserDefaults(domain).string("key"), "new value");
}

TEST_F(Defaults, UnreadableFilesAreMovedAsideAndNeverOverwritten) {
    writeFile(path, "not a property list");
    {
        UserDefaults defaults(domain);
        EXPECT_FALSE(defaults.object("key"));
        defaults.set("fresh", "key");
    }
    EXPECT_EQ(UserDefaults(domain).string("key"), "fresh");

    // A second bad file in the same second gets a name of its own; so does a
    // valid property list whose root is not a dictionary.
    writeFile(path, "also broken");
    UserDefaults(domain).synchronize();
    writeFile(path, stringFromData(BinaryPropertyList::write(PropertyList("a string"))));
    UserDefaults(domain).synchronize();

    const std::string aside = "dev.menulets.Test.plist.corrupt-20261130T005320Z";
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{aside, aside + "-2", aside + "-3"}));
    const std::string folder = DefaultsLocation::folder() + "/";
    EXPECT_EQ(contents(folder + aside), "not a property list");
    EXPECT_EQ(contents(folder + aside + "-2"), "also broken");
}

TEST_F(Defaults, WritesKeepWhatAnotherWriterChangedAndReadsSeeIt) {
    UserDefaults defaults(domain);
    defaults.set("mine", "Carryover.store");
    ASSERT_TRUE(defaults.synchronize());

    const DefaultsFile file(path);
    ASSERT_TRUE(file.update([](PropertyListDictionary& values, std::string*) {
        values.set("User.key", PropertyList("hello"));
        return true;
    }));
    EXPECT_EQ(defaults.string("User.key"), "hello");
    defaults.set("mine again", "Carryover.store");
    ASSERT_TRUE(defaults.synchronize());
    EXPECT_EQ(onDisk(path), PropertyList(PropertyListDictionary{{"Carryover.store", PropertyList("mine again")},
                                                                {"User.key", PropertyList("hello")}}));

    // A key removed outside, then the whole domain: neither comes back.
    ASSERT_TRUE(file.update([](PropertyListDictionary& values, std::string*) { return values.remove("User.key"); }));
    defaults.set("third", "Carryover.store");
    ASSERT_TRUE(defaults.synchronize());
    ASSERT_TRUE(file.remove());
    EXPECT_FALSE(defaults.object("Carryover.store"));
    defaults.set(1.0, "Carryover.mostRecentLog");
    ASSERT_TRUE(defaults.synchronize());
    EXPECT_EQ(onDisk(path), PropertyList(PropertyListDictionary{{"Carryover.mostRecentLog", PropertyList(1.0)}}));
}

TEST_F(Defaults, TwoWritersSavingAtOnceLoseNothingEitherAcknowledged) {
    // The program saving back to back while the defaults tool writes its own
    // keys, each from a thread of its own: every acknowledged value stays.
    constexpr int rounds = 100;
    UserDefaults defaults(domain);
    auto tool = std::async(std::launch::async, [&] {
        const DefaultsFile file(path);
        for (int round = 0; round < rounds; ++round) {
            EXPECT_TRUE(file.update([&](PropertyListDictionary& values, std::string*) {
                values.set("tool." + std::to_string(round), PropertyList::integer(round));
                return true;
            }));
        }
    });
    for (int round = 0; round < rounds; ++round) {
        defaults.set(round, "program." + std::to_string(round));
        ASSERT_TRUE(defaults.synchronize());
    }
    tool.get();
    const auto stored = onDisk(path);
    ASSERT_TRUE(stored && stored->dictionary());
    for (int round = 0; round < rounds; ++round) {
        EXPECT_TRUE(stored->dictionary()->find("tool." + std::to_string(round))) << round;
        EXPECT_TRUE(stored->dictionary()->find("program." + std::to_string(round))) << round;
    }
}

TEST_F(Defaults, FilesArePrivateWhateverTheUmaskAndALinkAtThePathIsWrittenThrough) {
    const mode_t savedMask = ::umask(0);
    {
        UserDefaults defaults(domain);
        defaults.set("private", "key");
        ASSERT_TRUE(defaults.synchronize());
    }
    writeFile(home.configHome() + "/menulets/dev.menulets.Other.plist", "broken");
    ::chmod((home.configHome() + "/menulets/dev.menulets.Other.plist").c_str(), 0666);
    UserDefaults("dev.menulets.Other").synchronize();
    ::umask(savedMask);
    const auto mode = [](const std::string& file) {
        struct stat status {};
        EXPECT_EQ(::lstat(file.c_str(), &status), 0) << file;
        return status.st_mode & 07777;
    };
    EXPECT_EQ(mode(home.configHome() + "/menulets"), 0700u);
    EXPECT_EQ(mode(path), 0600u);
    EXPECT_EQ(mode(path + ".lock"), 0600u);
    for (const auto& name : filesInFolder()) {
        if (name.starts_with("dev.menulets.Other.plist.corrupt-")) {
            EXPECT_EQ(mode(DefaultsLocation::folder() + "/" + name), 0600u) << "a moved-aside file is kept private";
        }
    }

    // A dotfile manager's link: the file it names gets the new values, and the link stays.
    const std::string target = home.path() + "/dotfiles/test.plist";
    fs::create_directories(home.path() + "/dotfiles");
    fs::rename(path, target);
    fs::create_symlink("../../dotfiles/test.plist", path);
    UserDefaults defaults(domain);
    EXPECT_EQ(defaults.string("key"), "private");
    defaults.set("through the link", "key");
    ASSERT_TRUE(defaults.synchronize());
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(onDisk(target), PropertyList(PropertyListDictionary{{"key", PropertyList("through the link")}}));
    EXPECT_EQ(mode(target), 0600u);
}

TEST_F(Defaults, TheDiskWorkHappensOnTheWriterThreadAndSynchronizeWaitsForIt) {
    UserDefaults defaults(domain);
    std::promise<void> release;
    DefaultsWriter::shared().submit([held = release.get_future().share()] { held.wait(); });

    defaults.set("typed", "key");
    RunLoop::main().runOneTurn(); // hands the write over and returns while the writer is busy
    EXPECT_EQ(defaults.string("key"), "typed");
    EXPECT_FALSE(fs::exists(path));

    release.set_value();
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(onDisk(path), PropertyList(PropertyListDictionary{{"key", PropertyList("typed")}}));
}

TEST_F(Defaults, SettingWhatIsStoredWritesNothing) {
    UserDefaults defaults(domain);
    defaults.set(1796000000.0, "Urlstash.mostRecentLog");
    ASSERT_TRUE(defaults.synchronize());
    const auto written = FileStamp::of(path);
    defaults.set(1796000000.0, "Urlstash.mostRecentLog");
    defaults.removeObject("never there");
    RunLoop::main().runOneTurn();
    DefaultsWriter::shared().waitUntilIdle();
    EXPECT_EQ(FileStamp::of(path), written) << "the file was replaced";
    defaults.set(1796000001.0, "Urlstash.mostRecentLog");
    ASSERT_TRUE(defaults.synchronize());
    EXPECT_NE(FileStamp::of(path), written);
}

TEST_F(Defaults, FilesThatCannotBeReadAreNeitherWaitedOnNorReplaced) {
    fs::create_directories(fs::path(path).parent_path());
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    SaveFailures::reset();
    {
        UserDefaults defaults(domain); // would hang here if the FIFO were opened for a blocking read
        EXPECT_FALSE(defaults.object("key"));
        defaults.set("value", "key");
        EXPECT_EQ(defaults.string("key"), "value");
        EXPECT_FALSE(defaults.synchronize());
        EXPECT_TRUE(SaveFailures::any()) << "the program must not end as a success";
    }
    EXPECT_TRUE(fs::is_fifo(path));
    EXPECT_EQ(filesInFolder(), std::vector<std::string>{"dev.menulets.Test.plist"});
    fs::remove(path);
    fs::create_directory(path);
    UserDefaults defaults(domain);
    defaults.set("value", "key");
    EXPECT_FALSE(defaults.synchronize());
    EXPECT_TRUE(fs::is_directory(path));
    fs::remove(path);
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_FALSE(SaveFailures::any());
    SaveFailures::reset();
}

TEST_F(Defaults, TemporaryFilesOfDeadWritersAreRemovedAtStart) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    const std::string folder = fs::path(path).parent_path().string() + "/";
    const std::string dead = ".dev.menulets.Test.plist.tmp." + std::to_string(child) + ".3";
    const std::string alive = ".dev.menulets.Test.plist.tmp." + std::to_string(::getpid()) + ".0";
    const std::string otherDomain = ".dev.menulets.Other.plist.tmp." + std::to_string(child) + ".0";
    // A number given again to a process started after the file was written.
    const std::string reused = ".dev.menulets.Test.plist.tmp." + std::to_string(::getpid()) + ".1";
    for (const auto& name : {dead, alive, otherDomain, reused}) {
        writeFile(folder + name, "torn");
    }
    const timespec longAgo[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 400 * 24 * 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (folder + reused).c_str(), longAgo, 0), 0);
    UserDefaults defaults(domain);
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{otherDomain, alive}));
}

TEST_F(Defaults, AValueTheProgramCouldNotDecodeIsKeptBeforeItIsReplaced) {
    UserDefaults defaults(domain);
    defaults.set(42, "Starhop.url");
    defaults.set("untouched", "other");
    ASSERT_TRUE(defaults.synchronize());
    EXPECT_FALSE(defaults.url("Starhop.url"));
    defaults.set("unrelated", "other");
    ASSERT_TRUE(defaults.synchronize());
    EXPECT_EQ(filesInFolder(), std::vector<std::string>{"dev.menulets.Test.plist"}) << "kept only when replaced";

    defaults.setURL(URL::fromString("https://x/"), "Starhop.url");
    ASSERT_TRUE(defaults.synchronize());
    const std::string kept = "dev.menulets.Test.Starhop.url.20261130T005320Z.plist";
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{kept, "dev.menulets.Test.plist"}));
    EXPECT_EQ(UserDefaults("dev.menulets.Test.Starhop.url.20261130T005320Z").integer("Starhop.url"), 42);
    defaults.removeObject("Starhop.url");
    ASSERT_TRUE(defaults.synchronize());
    EXPECT_EQ(filesInFolder().size(), 2u) << "the value now stored was readable";
}

TEST_F(Defaults, LookupsFallThroughToTheGlobalDomainAndSeeItsChanges) {
    UserDefaults defaults(domain);
    EXPECT_FALSE(defaults.string("AppleInterfaceStyle"));

    GlobalDomainWriter writer;
    ASSERT_TRUE(writer.set(PropertyList("Dark"), "AppleInterfaceStyle"));
    EXPECT_EQ(defaults.string("AppleInterfaceStyle"), "Dark");
    ASSERT_TRUE(writer.set(PropertyList("Light"), "AppleInterfaceStyle"));
    EXPECT_EQ(defaults.string("AppleInterfaceStyle"), "Light");

    defaults.set("Own", "AppleInterfaceStyle");
    EXPECT_EQ(defaults.string("AppleInterfaceStyle"), "Own");
    defaults.removeObject("AppleInterfaceStyle");
    EXPECT_EQ(defaults.string("AppleInterfaceStyle"), "Light") << "a removal not yet written uncovers the global value";
    ASSERT_TRUE(writer.removeObject("AppleInterfaceStyle"));
    EXPECT_FALSE(defaults.object("AppleInterfaceStyle"));

    // Programs never write the global file; a broken one reads as empty and stays.
    writeFile(DefaultsLocation::fileForDomain("NSGlobalDomain"), "broken");
    EXPECT_FALSE(defaults.object("AppleInterfaceStyle"));
    EXPECT_EQ(contents(DefaultsLocation::fileForDomain("NSGlobalDomain")), "broken");
}

TEST_F(Defaults, URLsAreStoredAsKeyedArchives) {
    UserDefaults defaults(domain);
    const URL web = *URL::fromString("https://example.com/a?b=1");
    defaults.setURL(web, "StarhopApp.url");

    auto archive = BinaryPropertyList::read(*defaults.data("StarhopApp.url"));
    ASSERT_TRUE(archive);
    const PropertyList expected(PropertyListDictionary{
        {"$archiver", PropertyList("NSKeyedArchiver")},
        {"$version", PropertyList::integer(100000)},
        {"$objects", PropertyList(PropertyListArray{
                         PropertyList("$null"),
                         PropertyList(PropertyListDictionary{{"NS.base", PropertyList(PropertyListUID{0})},
                                                             {"NS.relative", PropertyList(PropertyListUID{2})},
                                                             {"$class", PropertyList(PropertyListUID{3})}}),
                         PropertyList("https://example.com/a?b=1"),
                         PropertyList(PropertyListDictionary{
                             {"$classname", PropertyList("NSURL")},
                             {"$classes", PropertyList(PropertyListArray{PropertyList("NSURL"), PropertyList("NSObject")})}}),
                     })},
        {"$top", PropertyList(PropertyListDictionary{{"root", PropertyList(PropertyListUID{1})}})},
    });
    EXPECT_EQ(*archive, expected);
    EXPECT_EQ(defaults.url("StarhopApp.url"), web);

    defaults.setURL(std::nullopt, "StarhopApp.url");
    EXPECT_FALSE(defaults.object("StarhopApp.url"));
}

TEST_F(Defaults, FileURLsInTheHomeFolderAreStoredWithATilde) {
    UserDefaults defaults(domain);
    const URL folder = URL::fileURL(home.path() + "/My Apps", true);
    defaults.setURL(folder, "Folderdock.appDirectory");
    auto archive = BinaryPropertyList::read(*defaults.data("Folderdock.appDirectory"));
    ASSERT_TRUE(archive);
    EXPECT_EQ(*archive->dictionary()->find("$objects")->array()->at(2).string(), "~/My%20Apps/");
    EXPECT_EQ(defaults.url("Folderdock.appDirectory"), folder);

    const URL outside = URL::fileURL("/Applications", true);
    defaults.setURL(outside, "other");
    EXPECT_EQ(defaults.url("other"), outside);
}

TEST_F(Defaults, URLGetterReadsStringsAsPathsAndRejectsEverythingElse) {
    fs::create_directories(home.path() + "/Folder");
    UserDefaults defaults(domain);
    defaults.set("~/Folder", "path");
    defaults.set(42, "number");
    defaults.set(PropertyList(dataFromString("bplist00 junk")), "junk");
    defaults.set(PropertyList(URLArchive::archive(*URL::fromString("https://x/"))), "archived");
    EXPECT_EQ(defaults.url("path"), URL::fileURL(home.path() + "/Folder", true));
    EXPECT_FALSE(defaults.url("number"));
    EXPECT_FALSE(defaults.url("junk"));
    EXPECT_EQ(defaults.url("archived"), URL::fromString("https://x/"));
}

TEST_F(Defaults, StandardDefaultsBelongToTheBundleIdentifier) {
    Bundle::setMainBundleIdentifier("dev.menulets.Carryover");
    UserDefaults::resetStandard();
    UserDefaults& standard = UserDefaults::standard();
    EXPECT_EQ(standard.path(), home.configHome() + "/menulets/dev.menulets.Carryover.plist");
    standard.set(1796000000.25, "Carryover.mostRecentLog");
    ASSERT_TRUE(standard.synchronize());
    EXPECT_EQ(UserDefaults("dev.menulets.Carryover").doubleValue("Carryover.mostRecentLog"), 1796000000.25);
    Bundle::setMainBundleIdentifier(std::nullopt);
    UserDefaults::resetStandard();
}

} // namespace
