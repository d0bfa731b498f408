#include "platform/foundation/Diagnostics.h"

#include <mutex>
#include <unistd.h>

namespace platform {

namespace {

struct Channel {
    std::mutex mutex;
    Diagnostics::Sink sink;
};

Channel& channel() {
    static auto* instance = new Channel; // used by exit handlers
    return *instance;
}

// One write for the whole line, so that no other writer's text lands inside it.
void toStandardError(const std::string& line) {
    const std::string whole = line + '\n';
    std::size_t written = 0;
    while (written < whole.size()) {
        const ssize_t n = ::write(STDERR_FILENO, whole.data() + written, whole.size() - written);
        if (n <= 0) {
            return;
        }
        written += static_cast<std::size_t>(n);
    }
}

} // namespace

void Diagnostics::say(const std::string& line) {
    auto& shared = channel();
    std::lock_guard lock(shared.mutex);
    if (shared.sink) {
        shared.sink(line);
    } else {
        toStandardError(line);
    }
}

void Diagnostics::setSink(Sink sink) {
    auto& shared = channel();
    std::lock_guard lock(shared.mutex);
    shared.sink = std::move(sink);
}

} // namespace platform
