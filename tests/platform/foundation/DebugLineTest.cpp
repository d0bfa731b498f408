#include "platform/foundation/DebugLine.h"

#include <gtest/gtest.h>

#include <sstream>

using platform::debugDescription;

TEST(DebugLine, EscapesQuotesBackslashesAndNamedControlCharacters) {
    using namespace std::string_literals;
    EXPECT_EQ(debugDescription("a\"b\\c'd\ne\rf\tg\0h"s), R"("a\"b\\c\'d\ne\rf\tg\0h")");
}

TEST(DebugLine, EscapesOtherControlCharactersAndDeleteAsTwoUpperCaseHexDigits) {
    EXPECT_EQ(debugDescription("\x01\x1b[0m\x1f\x7f"), R"("\u{01}\u{1B}[0m\u{1F}\u{7F}")");
}

TEST(DebugLine, KeepsPrintableAsciiAndUnicodeAsTheyAre) {
    EXPECT_EQ(debugDescription(""), "\"\"");
    EXPECT_EQ(debugDescription("Error setting up date forwarding"), "\"Error setting up date forwarding\"");
    EXPECT_EQ(debugDescription("caf\u00e9 \U0001F680 ~{}"), "\"caf\u00e9 \U0001F680 ~{}\"");
}

TEST(DebugLine, PrintWritesOneLineToTheDebugOutput) {
    std::ostringstream captured;
    platform::setDebugOutput(&captured);
    platform::debugPrint("Updating");
    platform::debugPrint("two\nlines");
    platform::setDebugOutput(nullptr);
    EXPECT_EQ(captured.str(), "\"Updating\"\n\"two\\nlines\"\n");
}
