#include "platform/defaults/URLArchive.h"
#include "platform/plist/BinaryPropertyList.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

PropertyList& objectAt(PropertyList& archive, std::size_t index) {
    return archive.dictionary()->find("$objects")->array()->at(index);
}

TEST(URLArchive, URLsWithABaseRoundTripThroughTheBinaryForm) {
    const URL base = *URL::fromString("https://example.com/dir/");
    const URL url = *URL::fromString("page.html#top", base);
    const auto decoded = URLArchive::unarchive(URLArchive::archive(url));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, url);
    ASSERT_TRUE(decoded->baseURL());
    EXPECT_EQ(decoded->absoluteString(), "https://example.com/dir/page.html#top");
}

TEST(URLArchive, MalformedArchivesGiveNoURL) {
    const URL url = *URL::fromString("https://example.com/");
    const auto damaged = [&](auto damage) {
        PropertyList archive = URLArchive::archiveTree(url);
        damage(archive);
        return URLArchive::unarchive(archive);
    };
    EXPECT_TRUE(damaged([](PropertyList&) {}));
    EXPECT_FALSE(damaged([](PropertyList& a) { a.dictionary()->set("$archiver", PropertyList("Other")); }));
    EXPECT_FALSE(damaged([](PropertyList& a) { a.dictionary()->remove("$top"); }));
    EXPECT_FALSE(damaged([](PropertyList& a) {
        objectAt(a, 3).dictionary()->set("$classname", PropertyList("NSString"));
    }));
    EXPECT_FALSE(damaged([](PropertyList& a) {
        objectAt(a, 1).dictionary()->set("NS.relative", PropertyList(PropertyListUID{99}));
    }));
    EXPECT_FALSE(damaged([](PropertyList& a) { objectAt(a, 2) = PropertyList::integer(7); }));
    EXPECT_FALSE(damaged([](PropertyList& a) { objectAt(a, 2) = PropertyList("not a url"); }));
    // A URL that is its own base: must end, not loop.
    EXPECT_FALSE(damaged([](PropertyList& a) {
        objectAt(a, 1).dictionary()->set("NS.base", PropertyList(PropertyListUID{1}));
    }));
    EXPECT_FALSE(URLArchive::unarchive(PropertyList("string root")));
    EXPECT_FALSE(URLArchive::unarchive(dataFromString("garbage")));
}

} // namespace
