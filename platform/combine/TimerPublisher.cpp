#include "platform/combine/TimerPublisher.h"

namespace platform {

TimerPublisher TimerPublisher::publish(double every, RunLoop& runLoop, RunLoop::Mode mode) {
    return TimerPublisher(std::make_shared<State>(State{every, &runLoop, mode, {}, nullptr, 0}));
}

void TimerPublisher::start(const std::shared_ptr<State>& state) {
    if (state->timer && state->timer->isValid()) {
        return;
    }
    state->timer = Timer::make(state->interval, true, [weak = std::weak_ptr<State>(state)](Timer& timer) {
        if (auto state = weak.lock()) {
            state->firings.send(Date::now());
        } else {
            timer.invalidate();
        }
    });
    state->runLoop->add(state->timer, state->mode);
}

void TimerPublisher::stop(State& state) {
    if (state.timer) {
        state.timer->invalidate();
        state.timer = nullptr;
    }
}

AnyPublisher<Date> TimerPublisher::autoconnect() const {
    return AnyPublisher<Date>([state = state_](Subscriber<Date> subscriber) {
        // Shared: the cancel action must be copyable, the token is not.
        auto subscription = std::make_shared<AnyCancellable>(state->firings.subscribe(std::move(subscriber)));
        if (++state->autoconnected == 1) {
            start(state);
        }
        // The token keeps the timer's state: a pipeline's publishers are usually
        // temporaries, and the subscription alone must keep the ticks coming.
        return AnyCancellable([state, subscription] {
            subscription->cancel();
            if (--state->autoconnected == 0) {
                stop(*state);
            }
        });
    });
}

bool TimerPublisher::isConnected() const { return state_->timer && state_->timer->isValid(); }

} // namespace platform
