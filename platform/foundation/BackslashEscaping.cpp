#include "platform/foundation/BackslashEscaping.h"

#include <cstdio>

namespace platform {

std::string BackslashEscaping::escaped(std::string_view text, const char* controlFormat) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, controlFormat, static_cast<unsigned>(c));
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

} // namespace platform
