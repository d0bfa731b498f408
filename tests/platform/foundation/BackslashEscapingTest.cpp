#include "platform/foundation/BackslashEscaping.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(BackslashEscapingTest, NamedEscapesThenTheCallersFormatForOtherControlBytes) {
    EXPECT_EQ(BackslashEscaping::escaped("a\"b\\c\nd\re\tf", "\\x%02x"), "a\\\"b\\\\c\\nd\\re\\tf");
    EXPECT_EQ(BackslashEscaping::escaped(std::string("\0\x1f\x7f", 3), "\\x%02x"), "\\x00\\x1f\\x7f");
    EXPECT_EQ(BackslashEscaping::escaped("\x1b", "\\U%04x"), "\\U001b");
    // UTF-8 bytes are above DEL and pass through whole.
    EXPECT_EQ(BackslashEscaping::escaped("Caf\xc3\xa9", "\\x%02x"), "Caf\xc3\xa9");
}
