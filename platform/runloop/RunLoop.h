#pragma once

#include "platform/foundation/Date.h"

#include <functional>
#include <memory>
#include <optional>

namespace platform {

class Timer;

// The main thread's run loop. Timers fire only in the modes they were added to
// (common: in both); while a menu is open the loop runs in eventTracking, so
// default-mode timers wait. Timers and modes are for the main thread only; the
// main queue (DispatchQueue::main()) takes blocks from any thread.
class RunLoop {
public:
    enum class Mode { defaultMode, eventTracking, common };

    static RunLoop& main();

    Mode currentMode() const;
    // Entered by a menu while it tracks, left when it closes; nests.
    void pushMode(Mode mode);
    void popMode();

    void add(const std::shared_ptr<Timer>& timer, Mode mode);

    // One turn: runs the main queue's blocks that were queued before the turn
    // began, then, in the order of their due moments, the due deadlines (in any
    // mode) and the due timers of the current mode. What is queued or falls due
    // during the turn waits for the next one.
    void runOneTurn();
    // Runs turns until nothing more is ready right now. False when something
    // still was after as many turns as a run may take (a block that keeps
    // queueing itself).
    bool runUntilIdle();

    // Virtual clock only: moves time forward by `seconds`, stopping at each due
    // timer or deadline on the way to run it at its own moment, in order.
    void advance(double seconds);
    // Virtual clock only: the computer sleeps for `seconds` (uptime stops),
    // then wakes and runs what fell due by the wall clock.
    void sleep(double seconds);
    // Virtual clock only: the wall clock is set to `date`.
    void setWallClock(Date date);

    // Real clock: runs until stop() is called, waiting for the next due item,
    // a wall deadline, or a block queued from another thread, and otherwise
    // never waking. `poll` (if set) is called on each turn with the longest
    // time it may block, in seconds (infinity when nothing is due), so a
    // backend can wait for its own events (a console's standard input) as
    // well; it must also return once wakeDescriptor() is readable.
    void run(const std::function<void(double maxWait)>& poll = {});
    void stop();

    // Wakes a real-clock run() that waits, for work arriving from other threads.
    void wakeUp();
    // Readable when the loop should run: a wakeUp(), or a wall deadline
    // reached however the wall clock got there. An event loop that embeds
    // this one watches it; -1 when the system has no such descriptor.
    int wakeDescriptor() const;
    // For such an event loop, around each turn it runs: takeWakeUps() first
    // clears what made the descriptor readable (before the turn, so a wake-up
    // arriving during it is kept); armWallDeadlineWake() after the turn makes
    // it readable at the next wall deadline.
    void takeWakeUps();
    void armWallDeadlineWake();

    // Seconds until the earliest pending item in the current mode is due: 0 when
    // something is ready now, infinity when nothing is pending (for backends that wait).
    double secondsUntilNextItem() const;

    // The earliest wall-clock deadline pending, if any.
    std::optional<Date> nextWallDeadline() const;

    // Forgets every timer, deadline and queued block (tests start clean).
    void reset();

    struct State;
private:
    friend class DispatchQueue;
    RunLoop();
    // The main queue's entry points; safe from any thread.
    void enqueue(std::function<void()> block);
    void enqueueAtUptime(double uptime, std::function<void()> block);
    void enqueueAtWall(Date deadline, std::function<void()> block);
    int runDueItems();

    std::unique_ptr<State> state_;
};

// A timer on the main run loop (main thread only), one-shot or repeating, timed
// on the uptime. A repeating timer that fires late fires once and schedules its
// next firing at the first multiple of its interval (counted from its original
// schedule) after now, skipping the rest, as the platform's timers do. One-shot
// timers invalidate themselves after firing.
class Timer : public std::enable_shared_from_this<Timer> {
public:
    using Block = std::function<void(Timer&)>;

    static std::shared_ptr<Timer> make(double interval, bool repeats, Block block);
    // Makes the timer and adds it to the main run loop in the default mode.
    static std::shared_ptr<Timer> scheduled(double interval, bool repeats, Block block);

    void invalidate();
    bool isValid() const { return valid_; }
    double interval() const { return interval_; }
    bool repeats() const { return repeats_; }
    // The uptime at which the timer fires next.
    double fireUptime() const { return fireUptime_; }

private:
    friend class RunLoop;
    Timer(double interval, bool repeats, Block block);

    double interval_;
    bool repeats_;
    Block block_;
    bool valid_ = true;
    double fireUptime_ = 0;
    unsigned modes_ = 0;      // run-loop modes it was added to, as a bit set
    unsigned long order_ = 0; // when it was first added; breaks ties between equal fire times
};

// A timer handler that does not keep its owner alive: it runs the body with the
// owner while the owner exists and invalidates the timer once it is gone.
template <typename Owner, typename Body>
Timer::Block weakTimerBlock(const std::shared_ptr<Owner>& owner, Body body) {
    return [weak = std::weak_ptr<Owner>(owner), body = std::move(body)](Timer& timer) mutable {
        if (auto strong = weak.lock()) {
            body(*strong, timer);
        } else {
            timer.invalidate();
        }
    };
}

} // namespace platform
