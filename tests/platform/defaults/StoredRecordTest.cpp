#include "platform/defaults/StoredRecord.h"
#include "platform/plist/PropertyListEncoder.h"

#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace platform;
using Names = std::vector<std::string>;

TEST(StoredRecordLoadingTest, GivesTheStoredRecordOnceAndSharesItsBytes) {
    menulets::testing::TemporaryHome home;
    UserDefaults defaults("dev.menulets.StoredRecordTest");
    const Data bytes = PropertyListEncoder::encode(Names{"Mail", "Xcode"});
    defaults.set(PropertyList(bytes), "names");

    StoredRecordLoading<Names> loading(defaults, "names", std::launch::async);
    ASSERT_NE(loading.bytes(), nullptr);
    EXPECT_EQ(*loading.bytes(), bytes);
    EXPECT_EQ(loading.take(), (Names{"Mail", "Xcode"}));
    EXPECT_EQ(loading.take(), std::nullopt);

    StoredRecordLoading<Names> missing(defaults, "nothing", std::launch::async);
    EXPECT_EQ(missing.bytes(), nullptr);
    EXPECT_EQ(missing.take(), std::nullopt);
}

// Whether the bytes do not decode or the value is no data at all, the
// record is missing and the stored value stays as it was.
TEST(StoredRecordLoadingTest, AnUndecodableValueGivesNothingAndIsLeftAsItWas) {
    menulets::testing::TemporaryHome home;
    UserDefaults defaults("dev.menulets.StoredRecordTest");
    const Data notAPropertyList{'n', 'o', 't', ' ', 'a', ' ', 'p', 'l', 'i', 's', 't'};
    for (const PropertyList& damaged :
         {PropertyList(notAPropertyList), PropertyList(PropertyListEncoder::encode(std::string("Mail"))),
          PropertyList("Mail")}) {
        defaults.set(damaged, "names");
        StoredRecordLoading<Names> loading(defaults, "names", std::launch::async);
        EXPECT_EQ(loading.take(), std::nullopt);
        EXPECT_EQ(defaults.object("names"), damaged);
    }
}

} // namespace
