#include "platform/runloop/RunLoop.h"

#include "platform/runloop/Clock.h"
#include "platform/runloop/WakeSignal.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <deque>
#include <limits>
#include <mutex>
#include <vector>

namespace platform {

namespace {

using Block = std::function<void()>;

// Due times closer than this count as reached: a wall deadline converted to the
// uptime scale can land an ulp short of its moment.
constexpr double dueTolerance = 1e-6;
// A block that keeps queueing itself must not hang runUntilIdle forever.
constexpr int maxTurnsUntilIdle = 100000;

unsigned modeBits(RunLoop::Mode mode) {
    switch (mode) {
    case RunLoop::Mode::defaultMode:
        return 1;
    case RunLoop::Mode::eventTracking:
        return 2;
    case RunLoop::Mode::common:
        return 3;
    }
    return 0;
}

struct Deadline {
    double due;  // uptime, or seconds since 1970 when `wall`
    bool wall;
    unsigned long order;
    Block block;
};

} // namespace

struct RunLoop::State {
    // Guards what other threads may touch: the queued blocks and deadlines.
    mutable std::mutex mutex;
    std::deque<Block> blocks;
    std::vector<Deadline> deadlines;
    unsigned long nextOrder = 0;

    // Main thread only.
    std::vector<std::shared_ptr<Timer>> timers;
    std::vector<Mode> modes;
    std::atomic<bool> stopped = false;
    // Wakes a waiting run() for blocks from other threads and at wall deadlines.
    WakeSignal wake;

    unsigned long takeOrder() { return nextOrder++; }

    // A deadline's moment on the uptime scale, so timers and both kinds of
    // deadline can be ordered together.
    static double uptimeOf(const Deadline& deadline, double uptime, Date now) {
        return deadline.wall ? uptime + (deadline.due - now.timeIntervalSince1970) : deadline.due;
    }
};

RunLoop::RunLoop() : state_(std::make_unique<State>()) {}

RunLoop& RunLoop::main() {
    // Never destroyed: worker threads and static destructors may still queue
    // blocks while the process exits.
    static auto* instance = new RunLoop;
    return *instance;
}

RunLoop::Mode RunLoop::currentMode() const {
    return state_->modes.empty() ? Mode::defaultMode : state_->modes.back();
}

void RunLoop::pushMode(Mode mode) { state_->modes.push_back(mode); }

void RunLoop::popMode() {
    if (!state_->modes.empty()) {
        state_->modes.pop_back();
    }
}

void RunLoop::add(const std::shared_ptr<Timer>& timer, Mode mode) {
    if (!timer || !timer->valid_) {
        return;
    }
    if (timer->modes_ == 0) {
        {
            std::lock_guard lock(state_->mutex);
            timer->order_ = state_->takeOrder();
        }
        state_->timers.push_back(timer);
    }
    timer->modes_ |= modeBits(mode);
}

void RunLoop::enqueue(Block block) {
    {
        std::lock_guard lock(state_->mutex);
        state_->blocks.push_back(std::move(block));
    }
    wakeUp();
}

void RunLoop::enqueueAtUptime(double uptime, Block block) {
    {
        std::lock_guard lock(state_->mutex);
        state_->deadlines.push_back({uptime, false, state_->takeOrder(), std::move(block)});
    }
    wakeUp();
}

void RunLoop::enqueueAtWall(Date deadline, Block block) {
    {
        std::lock_guard lock(state_->mutex);
        state_->deadlines.push_back({deadline.timeIntervalSince1970, true, state_->takeOrder(), std::move(block)});
    }
    wakeUp();
}

void RunLoop::runOneTurn() {
    std::deque<Block> ready;
    {
        std::lock_guard lock(state_->mutex);
        ready.swap(state_->blocks);
    }
    for (auto& block : ready) {
        block();
    }
    runDueItems();
}

// Runs the timers of the current mode and the deadlines that are due, in the
// order of their due moments; what falls due while they run waits for the next turn.
int RunLoop::runDueItems() {
    const Clock& clock = Clock::current();
    const double uptime = clock.uptime();
    const Date now = clock.now();
    const unsigned mode = modeBits(currentMode());

    struct Item {
        double due;
        unsigned long order;
        std::shared_ptr<Timer> timer;
        Block block;
    };
    std::vector<Item> items;
    {
        std::lock_guard lock(state_->mutex);
        auto& deadlines = state_->deadlines;
        auto notDue = std::partition(deadlines.begin(), deadlines.end(), [&](const Deadline& deadline) {
            return State::uptimeOf(deadline, uptime, now) > uptime + dueTolerance;
        });
        for (auto it = notDue; it != deadlines.end(); ++it) {
            items.push_back({State::uptimeOf(*it, uptime, now), it->order, nullptr, std::move(it->block)});
        }
        deadlines.erase(notDue, deadlines.end());
    }
    auto& timers = state_->timers;
    std::erase_if(timers, [](const auto& timer) { return !timer->valid_; });
    for (const auto& timer : timers) {
        if ((timer->modes_ & mode) && timer->fireUptime_ <= uptime + dueTolerance) {
            items.push_back({timer->fireUptime_, timer->order_, timer, nullptr});
        }
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });

    int ran = 0;
    for (auto& item : items) {
        if (!item.timer) {
            item.block();
            ++ran;
            continue;
        }
        // An earlier item of this turn may have invalidated it or changed the mode.
        Timer& timer = *item.timer;
        if (!timer.valid_ || !(timer.modes_ & modeBits(currentMode()))) {
            continue;
        }
        if (timer.repeats_) {
            double missed = std::floor((uptime - timer.fireUptime_) / timer.interval_) + 1;
            timer.fireUptime_ += std::max(missed, 1.0) * timer.interval_;
            if (timer.fireUptime_ <= uptime + dueTolerance) {
                timer.fireUptime_ += timer.interval_;
            }
        }
        // Moved out so the handler may invalidate (and so release) its own timer.
        Timer::Block block = std::move(timer.block_);
        block(timer);
        ++ran;
        if (!timer.repeats_) {
            timer.invalidate();
        } else if (timer.valid_) {
            timer.block_ = std::move(block);
        }
    }
    return ran;
}

bool RunLoop::runUntilIdle() {
    for (int turn = 0; turn < maxTurnsUntilIdle; ++turn) {
        if (secondsUntilNextItem() > dueTolerance) {
            return true;
        }
        runOneTurn();
    }
    return secondsUntilNextItem() > dueTolerance;
}

void RunLoop::advance(double seconds) {
    auto* clock = dynamic_cast<VirtualClock*>(&Clock::current());
    if (!clock) {
        return;
    }
    const double target = clock->uptime() + (seconds > 0 ? seconds : 0);
    // A loop that never becomes idle (a block keeps queueing itself) jumps
    // to the target.
    bool idle = runUntilIdle();
    while (idle) {
        double wait = secondsUntilNextItem();
        if (wait <= dueTolerance) {
            // A block another thread queued since the last turn: run it, and
            // the time in between still passes timer by timer.
            idle = runUntilIdle();
            continue;
        }
        double next = clock->uptime() + wait;
        if (next > target) {
            break;
        }
        clock->advanceUptimeTo(next);
        idle = runUntilIdle();
    }
    clock->advanceUptimeTo(target);
    runUntilIdle();
}

void RunLoop::sleep(double seconds) {
    if (auto* clock = dynamic_cast<VirtualClock*>(&Clock::current())) {
        clock->sleep(seconds);
        runUntilIdle();
    }
}

void RunLoop::setWallClock(Date date) {
    if (auto* clock = dynamic_cast<VirtualClock*>(&Clock::current())) {
        clock->setWallClock(date);
        runUntilIdle();
    }
}

void RunLoop::run(const std::function<void(double maxWait)>& poll) {
    state_->stopped = false;
    while (!state_->stopped) {
        runUntilIdle();
        if (state_->stopped) {
            break;
        }
        // The wall clock may move on without the uptime (a computer asleep)
        // or jump (the user setting it); the signal wakes the wait at the
        // next wall deadline whichever way the clock gets there.
        state_->wake.armWallMoment(nextWallDeadline());
        const double wait = secondsUntilNextItem();
        if (poll) {
            poll(wait);
        } else {
            state_->wake.wait(wait);
        }
        state_->wake.drain();
    }
}

void RunLoop::stop() {
    state_->stopped = true;
    wakeUp();
}

void RunLoop::wakeUp() { state_->wake.notify(); }

int RunLoop::wakeDescriptor() const { return state_->wake.descriptor(); }

void RunLoop::takeWakeUps() { state_->wake.drain(); }

void RunLoop::armWallDeadlineWake() { state_->wake.armWallMoment(nextWallDeadline()); }

std::optional<Date> RunLoop::nextWallDeadline() const {
    std::optional<double> next;
    std::lock_guard lock(state_->mutex);
    for (const auto& deadline : state_->deadlines) {
        if (deadline.wall && (!next || deadline.due < *next)) {
            next = deadline.due;
        }
    }
    return next ? std::optional(Date{*next}) : std::nullopt;
}

double RunLoop::secondsUntilNextItem() const {
    const Clock& clock = Clock::current();
    const double uptime = clock.uptime();
    const Date now = clock.now();
    double next = std::numeric_limits<double>::infinity();
    {
        std::lock_guard lock(state_->mutex);
        if (!state_->blocks.empty()) {
            return 0;
        }
        for (const auto& deadline : state_->deadlines) {
            next = std::min(next, State::uptimeOf(deadline, uptime, now));
        }
    }
    const unsigned mode = modeBits(currentMode());
    for (const auto& timer : state_->timers) {
        if (timer->valid_ && (timer->modes_ & mode)) {
            next = std::min(next, timer->fireUptime_);
        }
    }
    return std::max(next - uptime, 0.0);
}

void RunLoop::reset() {
    std::deque<Block> blocks;
    std::vector<Deadline> deadlines;
    {
        std::lock_guard lock(state_->mutex);
        blocks.swap(state_->blocks);
        deadlines.swap(state_->deadlines);
    }
    auto timers = std::move(state_->timers);
    state_->timers.clear();
    state_->modes.clear();
    state_->stopped = false;
    // Released outside the lock: the blocks' captures may queue more work as they go.
    for (auto& timer : timers) {
        timer->invalidate();
    }
}

Timer::Timer(double interval, bool repeats, Block block)
    : interval_(interval), repeats_(repeats), block_(std::move(block)) {}

std::shared_ptr<Timer> Timer::make(double interval, bool repeats, Block block) {
    // A repeating timer needs a positive period (as the platform's: 0.1 ms at least).
    if (!(interval >= 0)) {
        interval = 0;
    }
    if (repeats && interval < 0.0001) {
        interval = 0.0001;
    }
    std::shared_ptr<Timer> timer(new Timer(interval, repeats, std::move(block)));
    timer->fireUptime_ = Clock::current().uptime() + interval;
    if (!timer->block_) {
        timer->valid_ = false;
    }
    return timer;
}

std::shared_ptr<Timer> Timer::scheduled(double interval, bool repeats, Block block) {
    auto timer = make(interval, repeats, std::move(block));
    RunLoop::main().add(timer, RunLoop::Mode::defaultMode);
    return timer;
}

void Timer::invalidate() {
    valid_ = false;
    block_ = nullptr;
}

} // namespace platform
