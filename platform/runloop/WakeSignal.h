#pragma once

#include "platform/foundation/Date.h"

#include <optional>

namespace platform {

// What a waiting run loop waits on besides its own timeout: one descriptor
// that becomes readable when another thread wakes the loop, and when a
// wall-clock moment is reached, however the wall clock got there (time
// passing, the computer sleeping through it, or the clock being set). An
// event loop that embeds the run loop (a console's poll, a toolkit's socket
// notifier) watches the same descriptor, so nothing ever wakes periodically.
class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    // Readable while a wake or a wall-clock moment is pending; -1 where the
    // system offers none (then waits fall back to short timeouts).
    int descriptor() const { return epoll_; }

    // Safe from any thread.
    void notify();
    // Readable at `moment` by the wall clock, or when the wall clock is set
    // before then; nothing disarms it.
    void armWallMoment(std::optional<Date> moment);
    // Blocks for at most `seconds` (infinity: until readable).
    void wait(double seconds) const;
    // Takes what made the descriptor readable.
    void drain();

private:
    int epoll_ = -1;
    int event_ = -1;
    int wallTimer_ = -1;
};

} // namespace platform
