#include "platform/plist/Utf16.h"

#include <gtest/gtest.h>

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
