#include "platform/foundation/UUID.h"

#include <gtest/gtest.h>

#include <set>

using platform::UUID;

TEST(UUIDTest, NewIdentifiersAreRandomVersionFour) {
    std::set<UUID> seen;
    for (int i = 0; i < 200; ++i) {
        const UUID uuid;
        EXPECT_EQ(uuid.bytes()[6] >> 4, 4);
        EXPECT_EQ(uuid.bytes()[8] & 0xC0, 0x80);
        seen.insert(uuid);
    }
    EXPECT_EQ(seen.size(), 200u);
}

TEST(UUIDTest, StringFormRoundTripsInEitherCase) {
    const auto uuid = UUID::fromString("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");
    ASSERT_TRUE(uuid.has_value());
    EXPECT_EQ(uuid->uuidString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    EXPECT_EQ(UUID::fromString("E621E1F8-C36C-495A-93FC-0C247A3E6E5F"), uuid);
    EXPECT_EQ(uuid->bytes()[0], 0xE6);
    EXPECT_EQ(uuid->bytes()[15], 0x5F);

    const UUID fresh;
    EXPECT_EQ(UUID::fromString(fresh.uuidString()), fresh);
    EXPECT_LT(*UUID::fromString("00000000-0000-0000-0000-000000000001"),
              *UUID::fromString("00000000-0000-0000-0000-000000000002"));
}

TEST(UUIDTest, RejectsMalformedText) {
    for (const char* text : {"", "E621E1F8C36C495A93FC0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5",
                             "E621E1F8-C36C-495A-93FC-0C247A3E6E5FF", "E621E1F8-C36C-495A-93FC_0C247A3E6E5F",
                             "G621E1F8-C36C-495A-93FC-0C247A3E6E5F", "{E621E1F8-C36C-495A-93FC-0C247A3E6E5F}"}) {
        EXPECT_FALSE(UUID::fromString(text).has_value()) << text;
    }
}
