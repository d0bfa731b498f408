#include "platform/console/ConsoleOutput.h"

namespace platform {

void ConsoleOutput::event(const HeadlessEvent& event) {
    std::lock_guard lock(mutex_);
    if (json_) {
        out_ << event.toJSON() << '\n';
    } else {
        const std::string text = event.describe();
        out_ << "[" << event.kind << "]" << text.substr(event.kind.size()) << '\n';
    }
    out_.flush();
}

void ConsoleOutput::reply(const std::string& command, const ConsoleReply& reply) {
    std::lock_guard lock(mutex_);
    if (reply.error) {
        if (json_) {
            out_ << "{\"error\":" << jsonString(*reply.error) << ",\"command\":" << jsonString(command) << "}\n";
        } else {
            out_ << "error: " << *reply.error << '\n';
        }
    } else if (json_) {
        out_ << "{\"reply\":" << jsonString(reply.kind) << ",\"command\":" << jsonString(command);
        if (!reply.lines.empty()) {
            out_ << ",\"lines\":[";
            for (std::size_t index = 0; index < reply.lines.size(); ++index) {
                out_ << (index == 0 ? "" : ",") << jsonString(reply.lines[index]);
            }
            out_ << "]";
        }
        out_ << "}\n";
    } else {
        for (const auto& line : reply.lines) {
            out_ << line << '\n';
        }
    }
    out_.flush();
}

} // namespace platform
