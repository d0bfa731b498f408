#include "platform/plist/BinaryPropertyList.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace platform;

namespace {

// Assembles a file from raw objects; trailer fields can be overridden to make it malformed.
struct RawFile {
    std::vector<Data> objects;
    std::size_t offsetSize = 1;
    std::size_t referenceSize = 1;
    std::optional<std::uint64_t> numObjects = {}, topObject = {}, offsetTableOffset = {};

    Data build() const {
        Data out = dataFromString("bplist00"), table;
        for (const Data& object : objects) {
            append(table, out.size(), offsetSize);
            out.insert(out.end(), object.begin(), object.end());
        }
        const std::uint64_t tableOffset = out.size();
        out.insert(out.end(), table.begin(), table.end());
        out.insert(out.end(), 6, 0);
        out.push_back(static_cast<std::uint8_t>(offsetSize));
        out.push_back(static_cast<std::uint8_t>(referenceSize));
        append(out, numObjects.value_or(objects.size()), 8);
        append(out, topObject.value_or(0), 8);
        append(out, offsetTableOffset.value_or(tableOffset), 8);
        return out;
    }
    static void append(Data& out, std::uint64_t value, std::size_t width) {
        for (std::size_t i = width; i-- > 0;) {
            out.push_back(static_cast<std::uint8_t>(i < 8 ? value >> (8 * i) : 0));
        }
    }
};

Data patched(Data file, std::size_t position, std::uint8_t value) {
    file.at(position) = value;
    return file;
}

const Data sample = BinaryPropertyList::write(PropertyListDictionary{{"name", "caf\xC3\xA9"}, {"list", PropertyListArray{PropertyList::integer(-3), 2.5, true}}});

struct MalformedCase {
    const char* name;
    Data file;
    const char* reason; // part of the expected error
};

void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }

std::vector<MalformedCase> malformedCases() {
    const Data empty8(8, 0);
    return {
        {"Empty", {}, "too short"},
        {"HeaderOnly", dataFromString("bplist00"), "too short"},
        {"WrongMagic", patched(sample, 7, '1'), "header"},
        {"OffsetSizeNine", RawFile{{{0x09}}, 9}.build(), "offset size 9"},
        {"ReferenceSizeZero", RawFile{{{0x09}}, 1, 0}.build(), "reference size 0"},
        {"NoObjects", RawFile{{{0x09}}, 1, 1, 0}.build(), "no objects"},
        {"TopObjectOutOfRange", RawFile{{{0x09}}, 1, 1, {}, 1}.build(), "top object 1 out of range"},
        {"TableOffsetPastEnd", RawFile{{{0x09}}, 1, 1, {}, {}, ~0ull}.build(), "outside the file"},
        {"TableOffsetInHeader", RawFile{{{0x09}}, 1, 1, {}, {}, 3}.build(), "outside the file"},
        {"TableWouldOverflow", RawFile{{{0x09}}, 8, 1, 1ull << 61}.build(), "does not fit"},
        {"ObjectOffsetInHeader", patched(RawFile{{{0x09}}}.build(), 9, 2), "outside the object area"},
        {"ObjectOffsetInTable", patched(RawFile{{{0x09}}}.build(), 9, 9), "outside the object area"},
        {"ReferenceOutOfRange", RawFile{{{0xA1, 0x05}}}.build(), "reference 5 out of range"},
        {"ArrayContainsItself", RawFile{{{0xA1, 0x00}}}.build(), "cycle"},
        {"IndirectCycle", RawFile{{{0xA1, 0x01}, {0xA1, 0x02}, {0xA1, 0x00}}}.build(), "cycle"},
        {"DictionaryContainsItself", RawFile{{{0xD1, 0x01, 0x00}, {0x51, 'k'}}}.build(), "cycle"},
        {"ArrayCountAbsurd", RawFile{{{0xAF, 0x13, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}}.build(), "exceeds"},
        {"DataCountAbsurd", RawFile{{{0x4F, 0x12, 0xFF, 0xFF, 0xFF, 0xF0}}}.build(), "exceeds"},
        {"StringPastObjects", RawFile{{{0x55, 'a', 'b'}}}.build(), "exceeds"},
        {"Utf16PastObjects", RawFile{{{0x62, 0x00, 'a', 0x00}}}.build(), "exceeds"},
        {"CountNotAnInteger", RawFile{{{0x4F, 0x51, 'x'}}}.build(), "not a 1- to 8-byte integer"},
        {"CountCutOff", RawFile{{{0x4F, 0x11, 0x01}}}.build(), "runs past"},
        {"LoneHighSurrogate", RawFile{{{0x61, 0xD8, 0x3D}}}.build(), "unpaired"},
        {"LoneLowSurrogate", RawFile{{{0x61, 0xDE, 0x00}}}.build(), "unpaired"},
        {"HighSurrogateThenLetter", RawFile{{{0x62, 0xD8, 0x3D, 0x00, 'A'}}}.build(), "unpaired"},
        {"NonAsciiInAsciiString", RawFile{{{0x51, 0xC3}}}.build(), "non-ASCII"},
        {"IntegerKey", RawFile{{{0xD1, 0x01, 0x02}, {0x10, 0x01}, {0x09}}}.build(), "not a string"},
        {"IntegerOf32Bytes", RawFile{{[] { Data d{0x15}; d.resize(33); return d; }()}}.build(), "2^5 bytes"},
        {"IntegerCutOff", RawFile{{{0x13, 0x00, 0x01}}}.build(), "runs past"},
        {"IntegerBeyond64Bits", RawFile{{[] { Data d{0x14, 0, 0, 0, 0, 0, 0, 0, 1}; d.resize(17); return d; }()}}.build(), "64 bits"},
        {"RealOfTwoBytes", RawFile{{{0x21, 0x3F, 0xC0}}}.build(), "marker 0x21"},
        {"Null", RawFile{{{0x00}}}.build(), "marker 0x00"},
        {"Set", RawFile{{{0xC1, 0x00}}}.build(), "marker 0xc1"},
        {"UnknownType", RawFile{{{0x70}}}.build(), "marker 0x70"},
        {"WideUidBeyond64Bits", RawFile{{[] { Data d{0x8F, 1}; d.resize(17); return d; }()}}.build(), "UID"},
    };
}

class BinaryPropertyListMalformedInput : public testing::TestWithParam<MalformedCase> {};

TEST_P(BinaryPropertyListMalformedInput, IsRejectedWithAReason) {
    std::string error;
    EXPECT_FALSE(BinaryPropertyList::read(GetParam().file, &error));
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(Files, BinaryPropertyListMalformedInput, testing::ValuesIn(malformedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BinaryPropertyListReader, AcceptsWhatOtherWritersProduce) {
    const struct {
        const char* name;
        Data file;
        PropertyList expected;
    } cases[] = {
        {"shared reference", RawFile{{{0xA2, 0x01, 0x01}, {0x51, 'x'}}}.build(), PropertyListArray{"x", "x"}},
        {"repeated key", RawFile{{{0xD2, 1, 1, 2, 3}, {0x51, 'k'}, {0x10, 1}, {0x10, 2}}}.build(),
         PropertyListDictionary{{"k", PropertyList::integer(2)}}},
        {"single-precision real", RawFile{{{0x22, 0x3F, 0xC0, 0x00, 0x00}}}.build(), 1.5},
        {"wide sizes", RawFile{{{0xA1, 0, 0, 0, 0, 0, 0, 0, 1}, {0x09}}, 8, 8}.build(), PropertyListArray{true}},
        {"three-byte offsets and references", RawFile{{{0xA1, 0, 0, 1}, {0x09}}, 3, 3}.build(), PropertyListArray{true}},
        {"five-byte offsets, seven-byte references", RawFile{{{0xA1, 0, 0, 0, 0, 0, 0, 1}, {0x08}}, 5, 7}.build(),
         PropertyListArray{false}},
        {"top object not first", RawFile{{{0x09}, {0xA1, 0x00}}, 1, 1, {}, 1}.build(), PropertyListArray{true}},
        {"count in eight bytes", RawFile{{{0x5F, 0x13, 0, 0, 0, 0, 0, 0, 0, 1, 'z'}}}.build(), "z"},
    };
    for (const auto& c : cases) {
        std::string error;
        const std::optional<PropertyList> value = BinaryPropertyList::read(c.file, &error);
        ASSERT_TRUE(value) << c.name << ": " << error;
        EXPECT_EQ(*value, c.expected) << c.name;
    }
}

TEST(BinaryPropertyListReader, RejectsEveryTruncation) {
    for (std::size_t length = 0; length < sample.size(); ++length) {
        EXPECT_FALSE(BinaryPropertyList::read(sample.data(), length)) << length;
    }
    EXPECT_TRUE(BinaryPropertyList::looksLikeBinaryPropertyList(sample));
    EXPECT_FALSE(BinaryPropertyList::looksLikeBinaryPropertyList(dataFromString("bplist0")));
}

PropertyList nestedArrays(std::size_t depth) {
    PropertyList value = PropertyListArray{};
    for (std::size_t i = 1; i < depth; ++i) {
        value = PropertyListArray{std::move(value)};
    }
    return value;
}

TEST(BinaryPropertyListReader, CapsNestingAndDecodedSize) {
    EXPECT_TRUE(BinaryPropertyList::read(BinaryPropertyList::write(nestedArrays(512))));
    std::string error;
    EXPECT_FALSE(BinaryPropertyList::read(BinaryPropertyList::write(nestedArrays(513)), &error));
    EXPECT_NE(error.find("nested deeper than 512"), std::string::npos) << error;

    // Each array holds the next one twice: 60 objects describe 2^60 nodes.
    RawFile doubling;
    for (std::uint8_t i = 1; i < 60; ++i) {
        doubling.objects.push_back({0xA2, i, i});
    }
    doubling.objects.push_back({0x09});
    EXPECT_FALSE(BinaryPropertyList::read(doubling.build(), &error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

// Whatever a damaged file decodes to must survive a write and read unchanged.
void expectReadIsSafe(const Data& file) {
    std::string error;
    const std::optional<PropertyList> value = BinaryPropertyList::read(file, &error);
    if (!value) {
        EXPECT_FALSE(error.empty());
        return;
    }
    const Data rewritten = BinaryPropertyList::write(*value);
    const std::optional<PropertyList> again = BinaryPropertyList::read(rewritten);
    ASSERT_TRUE(again);
    EXPECT_EQ(BinaryPropertyList::write(*again), rewritten);
}

TEST(BinaryPropertyListReader, SurvivesDamagedFiles) {
    PropertyListDictionary keys;
    for (int i = 0; i < 20; ++i) {
        keys.set("key" + std::to_string(i), PropertyListArray{PropertyList::integer(i * 1000), "\xF0\x9F\x98\x80", Data{1, 2}});
    }
    const Data seeds[] = {sample, BinaryPropertyList::write(keys), BinaryPropertyList::write(nestedArrays(20))};
    std::minstd_rand random(20240601);
    for (const Data& seed : seeds) {
        for (std::size_t position = 0; position < seed.size(); ++position) {
            for (const std::uint8_t mask : {0x01, 0x0F, 0x80, 0xFF}) {
                expectReadIsSafe(patched(seed, position, seed[position] ^ mask));
            }
        }
        for (int round = 0; round < 2000; ++round) {
            Data damaged = seed;
            for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) {
                damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
            }
            expectReadIsSafe(damaged);
        }
    }
}

} // namespace
