#pragma once

#include "platform/foundation/Date.h"

#include <atomic>
#include <memory>

namespace platform {

// The process's source of time. Two readings: the wall clock (a Date, which goes
// on while the computer sleeps and can be set by the user) and the uptime
// (monotonic seconds that stop while the computer sleeps).
class Clock {
public:
    virtual ~Clock() = default;
    virtual Date now() const = 0;
    virtual double uptime() const = 0;
    virtual bool isVirtual() const = 0;

    // The clock every part of the process reads (Date::now(), timers, queues).
    // The real clock unless a virtual one was installed.
    static Clock& current();
    static void install(std::shared_ptr<Clock> clock);
};

class RealClock final : public Clock {
public:
    Date now() const override;
    double uptime() const override;
    bool isVirtual() const override { return false; }
};

// Time that moves only when told to. The main run loop advances it (see
// RunLoop::advance), running what falls due in order.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(Date start, double uptime = 1000.0)
        : wall_(start.timeIntervalSince1970), uptime_(uptime) {}

    Date now() const override { return Date{wall_.load()}; }
    double uptime() const override { return uptime_.load(); }
    bool isVirtual() const override { return true; }

    // Both readings move forward together.
    void advance(double seconds);
    // Both readings move forward until the uptime reads exactly `uptime`
    // (no rounding drift when stopping at a due timer).
    void advanceUptimeTo(double uptime);
    // The computer sleeps: the wall clock goes on, the uptime does not.
    void sleep(double seconds);
    // The user (or the network time service) sets the wall clock.
    void setWallClock(Date date);

private:
    // Atomic because worker threads may read the time while the main thread moves it.
    std::atomic<double> wall_;
    std::atomic<double> uptime_;
};

} // namespace platform
