#include "platform/foundation/Lz4Block.h"

#include <gtest/gtest.h>

#include <string>

using platform::decodeLz4Block;
using platform::decodeMozLz4;

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) {
        out.push_back(static_cast<char>(value));
    }
    return out;
}

// "abcabcabcabcX": three literals, a match of 9 reaching back 3 (it overlaps
// what it writes), then the closing literal.
const std::string repeating = bytes({0x35, 'a', 'b', 'c', 3, 0, 0x10, 'X'});

TEST(Lz4BlockTest, DecodesLiteralsAndMatchesThatOverlapWhatTheyWrite) {
    EXPECT_EQ(decodeLz4Block(repeating, 13), "abcabcabcabcX");
    EXPECT_EQ(decodeLz4Block("", 0), "");
    // Lengths past 15 go on in further bytes: 15 + 255 + 10 literals, then a
    // match of 4 + 15 + 1 reaching back one byte.
    std::string literals(280, 'q');
    std::string block = bytes({0xFF, 255, 10}) + literals + bytes({1, 0, 1}) + bytes({0x10, 'Z'});
    EXPECT_EQ(decodeLz4Block(block, 280 + 20 + 1), literals + std::string(20, 'q') + "Z");
}

TEST(Lz4BlockTest, RefusesEveryBlockThatDoesNotDecodeToTheAnnouncedSize) {
    EXPECT_FALSE(decodeLz4Block(repeating, 12));
    EXPECT_FALSE(decodeLz4Block(repeating, 14));
    // Cut anywhere, the block decodes to less or breaks off inside a sequence.
    for (std::size_t length = 0; length < repeating.size(); ++length) {
        EXPECT_FALSE(decodeLz4Block(repeating.substr(0, length), 13)) << length;
    }
    // A match that reaches before the start, or no distance at all.
    EXPECT_FALSE(decodeLz4Block(bytes({0x10, 'a', 2, 0, 0x00}), 6));
    EXPECT_FALSE(decodeLz4Block(bytes({0x10, 'a', 0, 0, 0x00}), 5));
    // A length that runs off the end of the block.
    EXPECT_FALSE(decodeLz4Block(bytes({0xF0, 255, 255}), 600));
}

TEST(Lz4BlockTest, MozillaFilesCarryTheirSizeBehindTheirMagic) {
    const std::string header("mozLz40\0", 8);
    EXPECT_EQ(decodeMozLz4(header + bytes({13, 0, 0, 0}) + repeating), "abcabcabcabcX");
    EXPECT_FALSE(decodeMozLz4(header + bytes({14, 0, 0, 0}) + repeating));
    EXPECT_FALSE(decodeMozLz4(std::string("mozLz41\0", 8) + bytes({13, 0, 0, 0}) + repeating));
    EXPECT_FALSE(decodeMozLz4(header + bytes({13, 0})));
    // A size no session store has is refused before anything is allocated for it.
    EXPECT_FALSE(decodeMozLz4(header + bytes({0xFF, 0xFF, 0xFF, 0xFF}) + repeating));
}

} // namespace
