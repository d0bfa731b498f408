#include "platform/plist/BinaryPropertyList.h"
#include "platform/plist/PropertyListDecoder.h"
#include "platform/plist/PropertyListEncoder.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace platform;

namespace {

struct Visit {
    std::string name;
    double seconds = 0;
    std::optional<std::string> note;
    bool pinned = false;
    std::vector<std::string> tags;
    std::int64_t count = 0;
    Date when;

    bool operator==(const Visit&) const = default;
    static constexpr auto codingFields() {
        return std::tuple{codingField("name", &Visit::name),     codingField("seconds", &Visit::seconds),
                          codingField("note", &Visit::note),     codingField("pinned", &Visit::pinned),
                          codingField("tags", &Visit::tags),     codingField("count", &Visit::count),
                          codingField("when", &Visit::when)};
    }
};

struct Log {
    std::map<std::string, Visit> visits;
    std::map<int, std::string> numbered; // not keyed by strings: an array of keys and values
    std::vector<Visit> recent;
    Data blob;

    bool operator==(const Log&) const = default;
    static constexpr auto codingFields() {
        return std::tuple{codingField("visits", &Log::visits), codingField("numbered", &Log::numbered),
                          codingField("recent", &Log::recent), codingField("blob", &Log::blob)};
    }
};

Log logOf(int visits, bool namesAsKeys = true) {
    Log log;
    for (int i = 0; i < visits; ++i) {
        const std::string key = "site-" + std::to_string(i) + ".example";
        Visit visit{namesAsKeys ? key : "page-" + std::to_string(i) + ".example", i * 1.5, std::nullopt, i % 2 == 0,
                    {}, -i, Date{i * 60.0}};
        if (i % 3 == 0) {
            visit.note = i % 2 ? "Bücher und Zeitschriften, ausführlich" : "";
            visit.tags = {"work", "😀", std::string(40, 'x')};
        }
        log.visits.emplace(key, visit);
    }
    log.numbered = {{-1, "minus one"}, {7, "seven"}};
    log.recent = {Visit{"ünïcödé", 2.5, "a note", true, {"one"}, 1LL << 40, Date{-5}}, Visit{}};
    log.blob = dataFromString(std::string("\0\1\2bytes", 8));
    return log;
}

// The stream must write the very tree the encoder makes, whatever the
// number of objects (and so the width of a reference: one, two or four
// bytes), and decode back to the value.
TEST(BinaryPropertyListStreamTest, WritesTheTreeTheEncoderMakesAtEveryReferenceWidth) {
    for (const int visits : {3, 100, 12000}) {
        const Log log = logOf(visits);
        std::string error;
        const auto read = BinaryPropertyList::read(PropertyListEncoder::encodeWithoutTree(log), &error);
        ASSERT_TRUE(read) << visits << " visits: " << error;
        EXPECT_TRUE(*read == PropertyListEncoder::encodeToTree(log)) << visits << " visits";
        EXPECT_EQ(PropertyListDecoder::decode<Log>(PropertyListEncoder::encodeWithoutTree(log)), log) << visits;
    }
}

TEST(BinaryPropertyListStreamTest, ValuesOfEveryKindAtTheTop) {
    const auto same = [](const auto& value) {
        const auto read = BinaryPropertyList::read(PropertyListEncoder::encodeWithoutTree(value));
        return read && *read == PropertyListEncoder::encodeToTree(value);
    };
    EXPECT_TRUE(same(std::string()));
    EXPECT_TRUE(same(std::string("a string longer than fifteen characters")));
    EXPECT_TRUE(same(true));
    EXPECT_TRUE(same(-0.0));
    EXPECT_TRUE(same(std::vector<std::string>{}));
    EXPECT_TRUE(same(std::map<std::string, bool>{}));
    EXPECT_TRUE(same(std::int64_t{-9}));
}

// A map's key and its record's name are one object, as the tree writer
// would share them; so is every record's field name.
TEST(BinaryPropertyListStreamTest, AKeyAndItsRecordsNameAreOneObject) {
    const auto shared = PropertyListEncoder::encodeWithoutTree(logOf(200, true));
    const auto distinct = PropertyListEncoder::encodeWithoutTree(logOf(200, false));
    // Each of the 200 names takes its own object when it differs from its key.
    EXPECT_LT(shared.size() + 200 * std::string("site-100.example").size(), distinct.size());
    EXPECT_LT(shared.size(), PropertyListEncoder::encode(logOf(200, true)).size() * 3 / 2);
}

} // namespace
