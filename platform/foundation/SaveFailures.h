#pragma once

#include <optional>
#include <string>

namespace platform {

// What became of the latest attempt to save each file a program persists.
// A failure is said once (Diagnostics), naming the file and the reason,
// and a program whose latest save of any file failed ends with a failure
// status, so that data that never reached the disk is not quietly lost.
class SaveFailures {
public:
    // `message` is one line naming the file and the reason.
    static void recordFailure(const std::string& path, const std::string& message);
    static void recordSuccess(const std::string& path);
    // Whether the latest save of some file failed.
    static bool any();
    // What the latest failure still standing said (of any file, or of `path`).
    static std::optional<std::string> latestMessage();
    static std::optional<std::string> message(const std::string& path);
    // Forgets every outcome (a fresh program in the same process).
    static void reset();
};

} // namespace platform
