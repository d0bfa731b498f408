#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Hexadecimal digits as URL escapes, UUID strings and debug output write and
// read them.
struct Hexadecimal {
    // 0-15 for a digit of either case, -1 for anything else.
    static int digitValue(char c);
    // Appends the byte as two upper-case digits ("0A").
    static void appendByte(std::string& out, std::uint8_t byte);
};

} // namespace platform
