#pragma once

#include "platform/console/ConsoleCommand.h"
#include "platform/headless/HeadlessEvent.h"

#include <mutex>
#include <ostream>

namespace platform {

// Writes the console's reports, readable or as one JSON object per line.
// Events may come from any thread (a sound played on a background queue);
// each report is written whole, in one write, so that nothing else written to
// the same stream lands inside it.
class ConsoleOutput {
public:
    ConsoleOutput(std::ostream& out, bool json) : out_(out), json_(json) {}

    // "[sound] name=\"Glass\"" or {"event":"sound","name":"Glass"}.
    void event(const HeadlessEvent& event);
    // The reply's lines as they are, or {"reply":"menu","lines":[...]};
    // "error: ..." or {"error":"..."}. A plain "ok" writes nothing readable.
    void reply(const std::string& command, const ConsoleReply& reply);
    // A line the platform has for the person (Diagnostics), as it is or as
    // {"error":"..."}.
    void diagnostic(const std::string& line);

private:
    void emit(const std::string& text);

    std::mutex mutex_;
    std::ostream& out_;
    bool json_;
};

} // namespace platform
