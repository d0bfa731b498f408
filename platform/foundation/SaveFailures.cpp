#include "platform/foundation/SaveFailures.h"

#include "platform/foundation/Diagnostics.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace platform {

namespace {

struct FailedPaths {
    std::mutex mutex;
    // Each failing file with its message, in the order they failed (latest last).
    std::vector<std::pair<std::string, std::string>> failures;

    auto find(const std::string& path) {
        return std::find_if(failures.begin(), failures.end(), [&](const auto& failure) { return failure.first == path; });
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
    const auto standing = failed.find(path);
    const bool sameAsBefore = standing != failed.failures.end() && standing->second == message;
    if (standing != failed.failures.end()) {
        failed.failures.erase(standing);
    }
    failed.failures.emplace_back(path, message);
    // Said once, not at every retry that fails the same way.
    if (!sameAsBefore) {
        Diagnostics::say(message);
    }
}

void SaveFailures::recordSuccess(const std::string& path) {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    if (const auto standing = failed.find(path); standing != failed.failures.end()) {
        failed.failures.erase(standing);
    }
}

bool SaveFailures::any() {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    return !failed.failures.empty();
}

void SaveFailures::reset() {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    failed.failures.clear();
}

std::optional<std::string> SaveFailures::latestMessage() {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    if (failed.failures.empty()) {
        return std::nullopt;
    }
    return failed.failures.back().second;
}

std::optional<std::string> SaveFailures::message(const std::string& path) {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    const auto found = failed.find(path);
    return found == failed.failures.end() ? std::nullopt : std::optional(found->second);
}

} // namespace platform
