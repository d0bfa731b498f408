#include "platform/console/ConsoleOutput.h"

#include <sstream>

namespace platform {

void ConsoleOutput::event(const HeadlessEvent& event) {
    if (json_) {
        emit(event.toJSON() + '\n');
    } else {
        const std::string text = event.describe();
        emit("[" + event.kind + "]" + text.substr(event.kind.size()) + '\n');
    }
}

void ConsoleOutput::reply(const std::string& command, const ConsoleReply& reply) {
    std::ostringstream out;
    if (reply.error) {
        if (json_) {
            out << "{\"error\":" << jsonString(*reply.error) << ",\"command\":" << jsonString(command) << "}\n";
        } else {
            out << "error: " << *reply.error << '\n';
        }
    } else if (json_) {
        out << "{\"reply\":" << jsonString(reply.kind) << ",\"command\":" << jsonString(command);
        if (!reply.lines.empty()) {
            out << ",\"lines\":[";
            for (std::size_t index = 0; index < reply.lines.size(); ++index) {
                out << (index == 0 ? "" : ",") << jsonString(reply.lines[index]);
            }
            out << "]";
        }
        out << "}\n";
    } else {
        for (const auto& line : reply.lines) {
            out << line << '\n';
        }
    }
    emit(out.str());
}

void ConsoleOutput::diagnostic(const std::string& line) {
    emit(json_ ? "{\"error\":" + jsonString(line) + "}\n" : line + '\n');
}

void ConsoleOutput::emit(const std::string& text) {
    if (text.empty()) {
        return;
    }
    std::lock_guard lock(mutex_);
    out_ << text;
    out_.flush();
}

} // namespace platform
