#pragma once

#include "platform/combine/AnyPublisher.h"
#include "platform/combine/PassthroughSubject.h"
#include "platform/foundation/Date.h"
#include "platform/runloop/RunLoop.h"

#include <memory>

namespace platform {

// A repeating run-loop timer as a publisher of the moments it fires (Date::now()).
// The timer exists while the publisher is connected: autoconnect() gives a
// publisher that connects with its first subscriber and disconnects when the
// last one goes. Copies share one timer. Main thread only.
class TimerPublisher {
public:
    static TimerPublisher publish(double every, RunLoop& runLoop, RunLoop::Mode mode);

    AnyPublisher<Date> autoconnect() const;
    // The firings, without connecting.
    AnyPublisher<Date> eraseToAnyPublisher() const { return state_->firings; }

    bool isConnected() const;

private:
    struct State {
        double interval;
        RunLoop* runLoop;
        RunLoop::Mode mode;
        PassthroughSubject<Date> firings;
        std::shared_ptr<Timer> timer;
        int autoconnected = 0;
    };
    explicit TimerPublisher(std::shared_ptr<State> state) : state_(std::move(state)) {}
    static void start(const std::shared_ptr<State>& state);
    static void stop(State& state);

    std::shared_ptr<State> state_;
};

} // namespace platform
