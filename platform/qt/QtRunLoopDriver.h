#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace platform {

// Runs the platform's main run loop inside Qt's event loop. One single-shot
// timer stands for the run loop's next due item in its current mode; when
// it fires, or when Qt delivered input to the model (turn()), the ready
// work runs, the screen is brought up to date (`redraw`) and the timer is
// armed again. Nothing is due: nothing is armed, so an idle program does
// not wake. Work queued from other threads and wall deadlines (which a
// computer asleep or a clock set by hand can reach without the uptime)
// make the run loop's wake descriptor readable, which a socket notifier
// watches. Main thread only.
class QtRunLoopDriver final : public QObject {
public:
    explicit QtRunLoopDriver(std::function<void()> redraw);

    // Runs what is ready now, redraws and re-arms.
    void turn();
    // A turn on a later pass of Qt's loop, for callers inside the model's
    // own work (it must not run the loop under itself).
    void turnSoon();

    // Milliseconds for a wait of `seconds` as a Qt timer takes it: rounded
    // up so the item is due when it fires, and within the timer's range.
    static int timerMilliseconds(double seconds);

    // The wait the timer is armed for, in milliseconds; empty when nothing
    // is due and so nothing will wake the program.
    std::optional<int> armedWait() const;

private:
    void arm();

    std::function<void()> redraw_;
    QTimer timer_;
    std::unique_ptr<QSocketNotifier> wakeNotifier_;
    bool turnQueued_ = false;
};

} // namespace platform
