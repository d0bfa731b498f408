#include "platform/foundation/Hexadecimal.h"

namespace platform {

int Hexadecimal::digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void Hexadecimal::appendByte(std::string& out, std::uint8_t byte) {
    static constexpr char digits[] = "0123456789ABCDEF";
    out += digits[byte >> 4];
    out += digits[byte & 0x0F];
}

} // namespace platform
