#include "platform/plist/PropertyList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

namespace {

std::vector<std::string> keysOf(const PropertyListDictionary& dictionary) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : dictionary) {
        keys.push_back(key);
    }
    return keys;
}

} // namespace

// Small dictionaries are searched in order and large ones through an index
// built on the way up (or at once, for a size made room for) that grows as
// they do; all must keep first-insertion order and find the same entries
// through every change.
TEST(PropertyListDictionary, KeepsOrderAndFindsEntriesAtEverySize) {
    struct Size {
        int count;
        std::size_t reserved;
    };
    for (const auto [count, reserved] : {Size{3, 0}, Size{16, 0}, Size{17, 0}, Size{40, 0}, Size{1000, 0},
                                         Size{20, 20}, Size{300, 100}}) {
        PropertyListDictionary dictionary;
        dictionary.reserve(reserved);
        std::vector<std::string> expected;
        for (int i = count - 1; i >= 0; --i) {
            dictionary.set("key" + std::to_string(i), PropertyList::integer(i));
            expected.push_back("key" + std::to_string(i));
        }
        dictionary.set("key0", "replaced"); // keeps its place
        ASSERT_EQ(keysOf(dictionary), expected) << count;
        EXPECT_EQ(*dictionary.find("key0"), PropertyList("replaced")) << count;
        EXPECT_EQ(dictionary.find("missing"), nullptr) << count;

        // Removing from the front shifts every later entry: each must still be found at its new place.
        EXPECT_TRUE(dictionary.remove(expected.front()));
        EXPECT_FALSE(dictionary.remove(expected.front()));
        expected.erase(expected.begin());
        dictionary.set("added", true);
        expected.push_back("added");
        ASSERT_EQ(keysOf(dictionary), expected) << count;
        for (int i = 0; i < count - 1; ++i) {
            const PropertyList* value = dictionary.find("key" + std::to_string(i));
            ASSERT_NE(value, nullptr) << count << " key" << i;
            EXPECT_EQ(*value, i == 0 ? PropertyList("replaced") : PropertyList::integer(i)) << count;
        }
        EXPECT_EQ(*dictionary.find("added"), PropertyList(true)) << count;
    }
}

TEST(PropertyListDictionary, EmptiedDictionaryStartsAfresh) {
    PropertyListDictionary dictionary;
    for (int i = 0; i < 20; ++i) {
        dictionary.set("key" + std::to_string(i), PropertyList::integer(i));
    }
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(dictionary.remove("key" + std::to_string(i))) << i;
    }
    EXPECT_TRUE(dictionary.empty());
    dictionary.set("again", PropertyList::integer(1));
    dictionary.set("again", PropertyList::integer(2));
    EXPECT_EQ(dictionary.size(), 1u);
    EXPECT_EQ(*dictionary.find("again"), PropertyList::integer(2));
}
