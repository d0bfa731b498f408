#include "platform/runloop/Clock.h"

#include <chrono>
#include <mutex>
#include <vector>

namespace platform {

namespace {

struct InstalledClock {
    std::mutex mutex;
    std::shared_ptr<Clock> clock = std::make_shared<RealClock>();
    // Replaced clocks stay alive: current() hands out references that another
    // thread may still be reading through.
    std::vector<std::shared_ptr<Clock>> retired;
};

// Never destroyed: worker threads and static destructors may still read the time
// while the process exits.
InstalledClock& installed() {
    static auto* instance = new InstalledClock;
    return *instance;
}

} // namespace

Clock& Clock::current() {
    auto& slot = installed();
    std::lock_guard lock(slot.mutex);
    return *slot.clock;
}

void Clock::install(std::shared_ptr<Clock> clock) {
    if (!clock) {
        clock = std::make_shared<RealClock>();
    }
    auto& slot = installed();
    std::lock_guard lock(slot.mutex);
    slot.retired.push_back(std::move(slot.clock));
    slot.clock = std::move(clock);
}

Date RealClock::now() const {
    using namespace std::chrono;
    return Date{duration<double>(system_clock::now().time_since_epoch()).count()};
}

double RealClock::uptime() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void VirtualClock::advance(double seconds) {
    if (!(seconds > 0)) {
        return;
    }
    wall_ = wall_ + seconds;
    uptime_ = uptime_ + seconds;
}

void VirtualClock::sleep(double seconds) {
    if (!(seconds > 0)) {
        return;
    }
    wall_ = wall_ + seconds;
}

void VirtualClock::advanceUptimeTo(double uptime) {
    double delta = uptime - uptime_;
    if (!(delta > 0)) {
        return;
    }
    wall_ = wall_ + delta;
    uptime_ = uptime;
}

void VirtualClock::setWallClock(Date date) { wall_ = date.timeIntervalSince1970; }

Date Date::now() { return Clock::current().now(); }

} // namespace platform
