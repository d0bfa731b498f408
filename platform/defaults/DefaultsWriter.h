#pragma once

#include <functional>

namespace platform {

// The one thread that writes defaults files, so that no program's main thread
// waits for a disk: jobs run one at a time, in the order they were submitted.
class DefaultsWriter {
public:
    static DefaultsWriter& shared();

    // Safe from any thread.
    void submit(std::function<void()> job);
    // Returns once every job submitted before the call has run. Never call
    // it from a job.
    void waitUntilIdle();

    struct State;

private:
    DefaultsWriter() = default;
};

} // namespace platform
