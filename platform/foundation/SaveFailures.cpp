#include "platform/foundation/SaveFailures.h"

#include <iostream>
#include <mutex>
#include <set>

namespace platform {

namespace {

struct FailedPaths {
    std::mutex mutex;
    std::set<std::string> paths;
};

FailedPaths& failedPaths() {
    static FailedPaths* instance = new FailedPaths; // used by exit handlers
    return *instance;
}

} // namespace

void SaveFailures::recordFailure(const std::string& path, const std::string& message) {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    failed.paths.insert(path);
    std::cerr << message << std::endl;
}

void SaveFailures::recordSuccess(const std::string& path) {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    failed.paths.erase(path);
}

bool SaveFailures::any() {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    return !failed.paths.empty();
}

void SaveFailures::reset() {
    auto& failed = failedPaths();
    std::lock_guard lock(failed.mutex);
    failed.paths.clear();
}

} // namespace platform
