#pragma once

#include "platform/combine/Subscriber.h"
#include "platform/runloop/RunLoop.h"

#include <memory>
#include <optional>

namespace platform {

// Passes a value on only once `seconds` have gone by without a newer one: each
// value restarts the wait, and the wait runs as a one-shot default-mode timer on
// the given run loop (as the platform's run-loop scheduler does), so it is held
// while a menu tracks.
//
// Completion follows the platform's debounce: it is forwarded at once, and a value
// still waiting is dropped, not flushed. The reference documentation leaves this
// open; what developers observe is that a debounced one-element publisher delivers
// no element. So debouncing a sequence that completes within the wait yields only
// the completion.
struct Debounce {
    template <typename Output>
    static AnyCancellable subscribe(const SubscribeFunction<Output>& upstream, double seconds, RunLoop& runLoop,
                                    Subscriber<Output> downstream) {
        struct State {
            Subscriber<Output> downstream;
            std::optional<Output> waiting;
            std::shared_ptr<Timer> wait;
            bool ended = false;
            AnyCancellable upstream;

            void end() {
                ended = true;
                waiting.reset();
                if (wait) {
                    wait->invalidate();
                }
            }
        };
        auto state = std::make_shared<State>();
        state->downstream = std::move(downstream);
        std::weak_ptr<State> weak = state;

        auto onValue = [weak, seconds, &runLoop](const Output& value) {
            auto state = weak.lock();
            if (!state || state->ended) {
                return;
            }
            if (state->wait) {
                state->wait->invalidate();
            }
            state->waiting = value;
            state->wait = Timer::make(seconds, false, [weak](Timer&) {
                auto state = weak.lock();
                if (!state || state->ended || !state->waiting) {
                    return;
                }
                Output value = std::move(*state->waiting);
                state->waiting.reset();
                state->downstream.value(value);
            });
            runLoop.add(state->wait, RunLoop::Mode::defaultMode);
        };
        auto onCompletion = [weak](Completion completion) {
            auto state = weak.lock();
            if (!state || state->ended) {
                return;
            }
            state->end();
            state->downstream.completion(completion);
        };
        state->upstream = upstream(Subscriber<Output>{onValue, onCompletion});
        return AnyCancellable([state] {
            state->end();
            state->upstream.cancel();
        });
    }
};

} // namespace platform
