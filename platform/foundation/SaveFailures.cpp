#include "platform/foundation/SaveFailures.h"

#include "platform/foundation/Diagnostics.h"

#include <mutex>
#include <map>
#include <vector>

namespace platform {

namespace {

struct FailedPaths {
    std::mutex mutex;
    // Each failing file's message, and the order they failed in (latest last).
    std::map<std::string, std::string> messages;
    std::vector<std::string> order;

    void forget(const std::string& path) {
        messages.erase(path);
        std::erase(order, path);
    }
};

FailedPaths& failedPaths() {
    static FailedPaths* instance = new FailedPaths; // used by exit handlers
    return *instance;
}

} // namespace

void SaveFailures::recordFailure(const std::string& path, const std::string& message) {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    const auto standing = failed.messages.find(path);
    const bool sameAsBefore = standing != failed.messages.end() && standing->second == message;
    failed.forget(path);
    failed.messages.emplace(path, message);
    failed.order.push_back(path);
    // Said once, not at every retry that fails the same way.
    if (!sameAsBefore) {
        Diagnostics::say(message);
    }
}

void SaveFailures::recordSuccess(const std::string& path) {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    failed.forget(path);
}

bool SaveFailures::any() {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    return !failed.order.empty();
}

void SaveFailures::reset() {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    failed.messages.clear();
    failed.order.clear();
}

std::optional<std::string> SaveFailures::latestMessage() {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    if (failed.order.empty()) {
        return std::nullopt;
    }
    return failed.messages.at(failed.order.back());
}

std::optional<std::string> SaveFailures::message(const std::string& path) {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    const auto found = failed.messages.find(path);
    return found == failed.messages.end() ? std::nullopt : std::optional(found->second);
}

} // namespace platform
