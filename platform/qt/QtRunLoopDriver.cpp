#include "platform/qt/QtRunLoopDriver.h"

#include "platform/runloop/RunLoop.h"

#include <climits>
#include <cmath>

namespace platform {

QtRunLoopDriver::QtRunLoopDriver(std::function<void()> redraw) : redraw_(std::move(redraw)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &QtRunLoopDriver::turn);
    if (const int descriptor = RunLoop::main().wakeDescriptor(); descriptor >= 0) {
        wakeNotifier_ = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
        connect(wakeNotifier_.get(), &QSocketNotifier::activated, this, &QtRunLoopDriver::turn);
    }
}

int QtRunLoopDriver::timerMilliseconds(double seconds) {
    if (!(seconds > 0)) {
        return 0;
    }
    const double milliseconds = std::ceil(seconds * 1000);
    return milliseconds >= INT_MAX ? INT_MAX : static_cast<int>(milliseconds);
}

std::optional<int> QtRunLoopDriver::armedWait() const {
    return timer_.isActive() ? std::optional(timer_.interval()) : std::nullopt;
}

void QtRunLoopDriver::turn() {
    auto& loop = RunLoop::main();
    loop.takeWakeUps();
    loop.runUntilIdle();
    if (redraw_) {
        redraw_();
    }
    loop.armWallDeadlineWake();
    arm();
}

void QtRunLoopDriver::turnSoon() {
    if (turnQueued_) {
        return;
    }
    turnQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            turnQueued_ = false;
            turn();
        },
        Qt::QueuedConnection);
}

void QtRunLoopDriver::arm() {
    const double wait = RunLoop::main().secondsUntilNextItem();
    if (std::isinf(wait)) {
        timer_.stop();
        return;
    }
    timer_.start(timerMilliseconds(wait));
}

} // namespace platform
