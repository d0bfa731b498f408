#include "platform/foundation/DebugLine.h"

#include "platform/foundation/Hexadecimal.h"

#include <iostream>
#include <mutex>

namespace platform {

namespace {

std::mutex outputMutex;
std::ostream* output = nullptr;

void appendEscaped(std::string& out, unsigned char byte) {
    switch (byte) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\'': out += "\\'"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    case '\0': out += "\\0"; return;
    default: break;
    }
    if (byte < 0x20 || byte == 0x7F) {
        out += "\\u{";
        Hexadecimal::appendByte(out, byte);
        out += '}';
        return;
    }
    out += static_cast<char>(byte);
}

} // namespace

std::string debugDescription(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text) {
        appendEscaped(out, static_cast<unsigned char>(c));
    }
    out += '"';
    return out;
}

void debugPrint(std::string_view text) {
    const std::string line = debugDescription(text) + '\n';
    std::lock_guard lock(outputMutex);
    std::ostream& stream = output ? *output : std::cout;
    stream << line;
    stream.flush();
}

void setDebugOutput(std::ostream* stream) {
    std::lock_guard lock(outputMutex);
    output = stream;
}

} // namespace platform
