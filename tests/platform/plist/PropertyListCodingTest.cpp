#include "platform/plist/PropertyListCoding.h"
#include "platform/plist/URLCoding.h"

#include <gtest/gtest.h>

#include <random>

using namespace platform;

namespace {

struct Link {
    URL link;
    std::string title;
    static constexpr auto codingFields() {
        return std::tuple{codingField("link", &Link::link), codingField("title", &Link::title)};
    }
    bool operator==(const Link&) const = default;
};

struct LinkStore {
    std::vector<Link> storedLinks;
    std::vector<Link> newLinks;
    static constexpr auto codingFields() {
        return std::tuple{codingField("storedLinks", &LinkStore::storedLinks),
                          codingField("newLinks", &LinkStore::newLinks)};
    }
    bool operator==(const LinkStore&) const = default;
};

enum class Mode : std::int16_t { idle = 0, running = 7 };

struct Sample {
    UUID id;
    std::uint8_t completed = 0;
    bool flag = false;
    double price = 0;
    float ratio = 0;
    std::int64_t count = 0;
    Date when;
    Data bytes;
    Mode mode = Mode::idle;
    std::optional<std::string> note;
    std::map<std::string, double> totals;
    std::unordered_map<std::string, Link> byHost;
    std::map<URL, Link> byURL;
    static constexpr auto codingFields() {
        return std::tuple{codingField("id", &Sample::id),         codingField("completed", &Sample::completed),
                          codingField("flag", &Sample::flag),     codingField("price", &Sample::price),
                          codingField("ratio", &Sample::ratio),   codingField("count", &Sample::count),
                          codingField("when", &Sample::when),     codingField("bytes", &Sample::bytes),
                          codingField("mode", &Sample::mode),     codingField("note", &Sample::note),
                          codingField("totals", &Sample::totals), codingField("byHost", &Sample::byHost),
                          codingField("byURL", &Sample::byURL)};
    }
    bool operator==(const Sample&) const = default;
};

URL url(std::string_view text) { return URL::fromString(text).value_or(URL()); }

Link makeLink(std::string_view text, std::string title) { return Link{url(text), std::move(title)}; }

Sample fullSample() {
    Sample sample;
    sample.completed = 255;
    sample.flag = true;
    sample.price = 30.15;
    sample.ratio = 0.5f;
    sample.count = -3;
    sample.when = Date::fromTimeIntervalSinceReferenceDate(700000000.25);
    sample.bytes = dataFromString("abc");
    sample.mode = Mode::running;
    sample.note = "hello";
    sample.totals = {{"Books", 12.5}, {"Games", 3}};
    sample.byHost = {{"example.com", makeLink("https://example.com/", "Example")}};
    sample.byURL = {{url("https://b.example/"), makeLink("https://b.example/", "B")}};
    return sample;
}

// Replaces the node at a path of keys and indexes ("newLinks", 2, "title") in a tree.
PropertyList* nodeAt(PropertyList& tree, std::initializer_list<std::variant<const char*, std::size_t>> path) {
    PropertyList* node = &tree;
    for (const auto& step : path) {
        if (const auto* key = std::get_if<const char*>(&step)) {
            node = node->dictionary()->find(*key);
        } else {
            node = &(*node->array())[std::get<std::size_t>(step)];
        }
    }
    return node;
}

template <class T>
std::string decodeError(const PropertyList& tree) {
    std::string error;
    EXPECT_FALSE(PropertyListDecoder::decodeFromTree<T>(tree, &error).has_value());
    return error;
}

} // namespace

TEST(PropertyListCodingTest, RecordIsADictionaryInDeclarationOrder) {
    const LinkStore store{{makeLink("https://a.example/x", "A")}, {}};
    const PropertyList tree = PropertyListEncoder::encodeToTree(store);
    const PropertyList expected = PropertyListDictionary{
        {"storedLinks",
         PropertyListArray{PropertyListDictionary{{"link", PropertyListDictionary{{"relative", "https://a.example/x"}}},
                                                  {"title", "A"}}}},
        {"newLinks", PropertyListArray{}}};
    EXPECT_EQ(tree, expected);
    EXPECT_EQ(tree.dictionary()->entries().front().first, "storedLinks");
}

TEST(PropertyListCodingTest, EveryFieldKindRoundTripsThroughBinaryPropertyLists) {
    const Sample sample = fullSample();
    const PropertyList tree = PropertyListEncoder::encodeToTree(sample);
    const auto& fields = *tree.dictionary();
    EXPECT_EQ(*fields.find("id")->string(), sample.id.uuidString());
    EXPECT_TRUE(fields.find("completed")->is(PropertyList::Kind::integer));
    EXPECT_TRUE(fields.find("flag")->is(PropertyList::Kind::boolean));
    EXPECT_TRUE(fields.find("ratio")->is(PropertyList::Kind::real));
    EXPECT_EQ(*fields.find("mode"), PropertyList::integer(7));
    EXPECT_EQ(fields.find("totals")->dictionary()->size(), 2u);
    const auto& byURL = *fields.find("byURL")->array();
    ASSERT_EQ(byURL.size(), 2u);
    EXPECT_EQ(byURL[0], (PropertyListDictionary{{"relative", "https://b.example/"}}));
    EXPECT_TRUE(byURL[1].dictionary()->contains("title"));

    std::string error;
    const auto decoded = PropertyListDecoder::decode<Sample>(PropertyListEncoder::encode(sample), &error);
    ASSERT_TRUE(decoded.has_value()) << error;
    EXPECT_EQ(*decoded, sample);
}

TEST(PropertyListCodingTest, OptionalFieldsAreOmittedWhenEmpty) {
    Sample sample = fullSample();
    sample.note.reset();
    PropertyList tree = PropertyListEncoder::encodeToTree(sample);
    EXPECT_FALSE(tree.dictionary()->contains("note"));
    EXPECT_EQ(PropertyListDecoder::decodeFromTree<Sample>(tree)->note, std::nullopt);

    tree.dictionary()->set("note", PropertyList::integer(1));
    EXPECT_EQ(decodeError<Sample>(tree), "note: expected string, found integer");
}

TEST(PropertyListCodingTest, URLsKeepTheirBase) {
    const URL base = url("https://a.example/dir/");
    const Link relative{URL::fromString("page?x=1", base).value(), "rel"};
    const PropertyList tree = PropertyListEncoder::encodeToTree(relative);
    const PropertyList expected = PropertyListDictionary{{"relative", "page?x=1"},
                                                         {"base", PropertyListDictionary{{"relative", "https://a.example/dir/"}}}};
    EXPECT_EQ(*tree.dictionary()->find("link"), expected);
    const auto decoded = PropertyListDecoder::decodeFromTree<Link>(tree);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, relative);
    EXPECT_EQ(decoded->link.absoluteString(), "https://a.example/dir/page?x=1");
}

TEST(PropertyListCodingTest, NumbersAreCheckedForKindAndRange) {
    const PropertyList valid = PropertyListEncoder::encodeToTree(fullSample());
    auto withField = [&](const char* key, PropertyList value) {
        PropertyList tree = valid;
        tree.dictionary()->set(key, std::move(value));
        return tree;
    };
    EXPECT_EQ(decodeError<Sample>(withField("completed", PropertyList::integer(256))),
              "completed: integer 256 out of range 0...255");
    EXPECT_EQ(decodeError<Sample>(withField("completed", PropertyList::integer(-1))),
              "completed: integer -1 out of range 0...255");
    EXPECT_EQ(decodeError<Sample>(withField("completed", true)), "completed: expected integer, found boolean");
    EXPECT_EQ(decodeError<Sample>(withField("count", 2.0)), "count: expected integer, found real");
    EXPECT_EQ(decodeError<Sample>(withField("count", PropertyList::unsignedInteger(1ULL << 63))),
              "count: integer 9223372036854775808 out of range -9223372036854775808...9223372036854775807");
    EXPECT_EQ(decodeError<Sample>(withField("flag", PropertyList::integer(1))), "flag: expected boolean, found integer");
    EXPECT_EQ(decodeError<Sample>(withField("ratio", 1e300)), "ratio: real 1e+300 out of range");
    EXPECT_EQ(decodeError<Sample>(withField("mode", PropertyList::integer(70000))),
              "mode: integer 70000 out of range -32768...32767");

    const auto fromInteger = PropertyListDecoder::decodeFromTree<Sample>(withField("price", PropertyList::integer(-4)));
    ASSERT_TRUE(fromInteger.has_value());
    EXPECT_EQ(fromInteger->price, -4.0);
    EXPECT_EQ(PropertyListDecoder::decodeFromTree<Sample>(withField("completed", PropertyList::integer(255)))->completed, 255);
}

TEST(PropertyListCodingTest, FailuresNameTheCodingPath) {
    LinkStore store{{}, {makeLink("https://a/", "a"), makeLink("https://b/", "b"), makeLink("https://c/", "c")}};
    const PropertyList valid = PropertyListEncoder::encodeToTree(store);

    PropertyList wrongKind = valid;
    *nodeAt(wrongKind, {"newLinks", std::size_t{2}, "title"}) = PropertyList::integer(5);
    EXPECT_EQ(decodeError<LinkStore>(wrongKind), "newLinks[2].title: expected string, found integer");

    PropertyList missing = valid;
    nodeAt(missing, {"newLinks", std::size_t{1}})->dictionary()->remove("title");
    EXPECT_EQ(decodeError<LinkStore>(missing), "newLinks[1].title: missing key");

    PropertyList missingList = valid;
    missingList.dictionary()->remove("storedLinks");
    EXPECT_EQ(decodeError<LinkStore>(missingList), "storedLinks: missing key");

    PropertyList badURL = valid;
    *nodeAt(badURL, {"newLinks", std::size_t{0}, "link", "relative"}) = "not a url";
    EXPECT_EQ(decodeError<LinkStore>(badURL), "newLinks[0].link.relative: invalid URL \"not a url\"");

    PropertyList noRelative = valid;
    *nodeAt(noRelative, {"newLinks", std::size_t{0}, "link"}) = PropertyListDictionary{};
    EXPECT_EQ(decodeError<LinkStore>(noRelative), "newLinks[0].link.relative: missing key");

    EXPECT_EQ(decodeError<LinkStore>(PropertyListArray{}), "expected dictionary, found array");

    std::string error;
    EXPECT_FALSE(PropertyListDecoder::decode<LinkStore>(dataFromString("garbage"), &error).has_value());
    EXPECT_FALSE(error.empty());
}

TEST(PropertyListCodingTest, MapsWithOtherKeysAlternateKeyAndValue) {
    PropertyList tree = PropertyListEncoder::encodeToTree(fullSample());
    PropertyList& byURL = *tree.dictionary()->find("byURL");

    byURL.array()->push_back(PropertyListDictionary{{"relative", "https://b.example/"}});
    EXPECT_EQ(decodeError<Sample>(tree), "byURL: expected alternating keys and values, found an odd number of elements");

    // The later of two equal keys wins.
    byURL.array()->push_back(PropertyListEncoder::encodeToTree(makeLink("https://later.example/", "Later")));
    const auto decoded = PropertyListDecoder::decodeFromTree<Sample>(tree);
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->byURL.size(), 1u);
    EXPECT_EQ(decoded->byURL.begin()->second.title, "Later");

    *nodeAt(tree, {"byURL", std::size_t{2}}) = "https://b.example/";
    EXPECT_EQ(decodeError<Sample>(tree), "byURL[2]: expected dictionary, found string");
    *nodeAt(tree, {"byHost", "example.com", "title"}) = false;
    EXPECT_EQ(decodeError<Sample>(tree), "byHost.example.com.title: expected string, found boolean");
}

TEST(PropertyListCodingTest, TopLevelArraysAndUUIDStrings) {
    const UUID id;
    const std::vector<UUID> ids{id};
    EXPECT_EQ(PropertyListEncoder::encodeToTree(ids), PropertyListArray{id.uuidString()});
    std::string lowered = id.uuidString();
    for (char& c : lowered) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(PropertyListDecoder::decodeFromTree<std::vector<UUID>>(PropertyListArray{lowered}), ids);
    EXPECT_EQ(decodeError<std::vector<UUID>>(PropertyListArray{"nope"}), "[0]: invalid UUID \"nope\"");
}

TEST(PropertyListCodingTest, DeepURLBaseChainsAreRejected) {
    PropertyList node = PropertyListDictionary{{"relative", "https://a/"}};
    for (int i = 0; i < 40; ++i) {
        node = PropertyListDictionary{{"relative", "x/"}, {"base", node}};
    }
    const std::string error = decodeError<URL>(node);
    EXPECT_TRUE(error.ends_with("base: too many nested base URLs")) << error;
}

TEST(PropertyListCodingTest, DecodingAnyMutatedTreeFailsCleanlyOrSucceeds) {
    // Replace random nodes of a valid tree by nodes of other kinds: each
    // decode either gives a value or reports an error, never both or neither.
    const PropertyList valid = PropertyListEncoder::encodeToTree(fullSample());
    const PropertyList replacements[] = {PropertyList::integer(-1), PropertyList(1.5), PropertyList(true), "x",
                                         PropertyListArray{"x"}, PropertyListDictionary{{"relative", 1.0}},
                                         PropertyList(Data{}), PropertyList(PropertyListUID{3})};
    std::mt19937 random(42);
    for (int round = 0; round < 500; ++round) {
        PropertyList tree = valid;
        PropertyList* node = &tree;
        while (true) {
            if (auto* dictionary = node->dictionary(); dictionary && !dictionary->empty() && random() % 3 != 0) {
                node = dictionary->find(dictionary->entries()[random() % dictionary->size()].first);
            } else if (auto* array = node->array(); array && !array->empty() && random() % 3 != 0) {
                node = &(*array)[random() % array->size()];
            } else {
                break;
            }
        }
        *node = replacements[random() % std::size(replacements)];
        std::string error;
        const auto decoded = PropertyListDecoder::decodeFromTree<Sample>(tree, &error);
        EXPECT_NE(decoded.has_value(), !error.empty()) << error;
    }
}
