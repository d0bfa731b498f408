#include "platform/plist/Utf16.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using namespace platform;

TEST(Utf16, ReplacesEachIllFormedUtf8Sequence) {
    const std::pair<std::string, std::u16string> cases[] = {
        {"a\xFF" "b", u"a\uFFFDb"},                        // stray byte
        {"\xC0\xAF", u"\uFFFD"},                           // overlong "/"
        {"\xED\xA0\x80", u"\uFFFD"},                       // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD"},                   // above U+10FFFF
        {"\xE2\x82" "x", u"\uFFFDx"},                      // cut short
        {"\xF0\x9F\x98\x80\xC3\xA9", u"\U0001F600\u00E9"}, // well formed
    };
    for (const auto& [utf8, utf16] : cases) {
        EXPECT_EQ(utf16FromUtf8(utf8), utf16) << utf8;
    }
}

// ASCII runs are taken eight bytes at a time and common sequences in place:
// text around those boundaries, ill-formed bytes included, must come out as
// one scalar at a time would give it, in both directions and big-endian.
TEST(Utf16, ConvertsAcrossRunBoundaries) {
    const std::pair<std::string, std::u16string> pieces[] = {
        {"\xC3\xA9", u"\u00E9"},       {"\xE6\x9D\xB1", u"\u6771"},     {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xC3", u"\uFFFD"},           {"\xE0\x80\x80", u"\uFFFD"}, {"\xED\xBF\xBF", u"\uFFFD"},
        {"\xEF\xBF\xBF", u"\uFFFF"},   {"\xC2\x80", u"\u0080"},         {"\xDF\xBF", u"\u07FF"},
    };
    for (std::size_t ascii = 0; ascii <= 17; ++ascii) {
        for (const auto& [utf8, utf16] : pieces) {
            const std::string run(ascii, 'a');
            const std::u16string run16(ascii, u'a');
            const std::string text = run + utf8 + run + "z";
            const std::u16string expected = run16 + utf16 + run16 + u"z";
            EXPECT_EQ(utf16FromUtf8(text), expected) << ascii << " " << text;

            std::vector<std::uint8_t> bigEndian(2 * text.size());
            ASSERT_EQ(writeUtf16BigEndian(text, bigEndian.data()), expected.size()) << ascii;
            for (std::size_t i = 0; i < expected.size(); ++i) {
                EXPECT_EQ((bigEndian[2 * i] << 8) | bigEndian[2 * i + 1], expected[i]) << ascii << " unit " << i;
            }
            const std::optional<std::string> back = utf8FromUtf16BigEndian(bigEndian.data(), expected.size());
            ASSERT_TRUE(back) << ascii;
            EXPECT_EQ(utf16FromUtf8(*back), expected) << ascii;
            EXPECT_EQ(utf8FromUtf16(expected), back) << ascii;
        }
    }
}

TEST(Utf16, RejectsUnpairedSurrogates) {
    for (const std::u16string& units : {std::u16string(u"ab\xD800"), std::u16string(u"\xDC00z"),
                                        std::u16string(u"\xD800\xD800\xDC00"), std::u16string(u"x\xD83D" "y")}) {
        EXPECT_FALSE(utf8FromUtf16(units));
    }
    EXPECT_EQ(utf8FromUtf16(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
}
