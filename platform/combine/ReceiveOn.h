#pragma once

#include "platform/combine/Subscriber.h"
#include "platform/runloop/DispatchQueue.h"

#include <memory>

namespace platform {

// Delivers each value and the completion as a block on the queue (a later turn
// for the main queue), in the order they came; nothing arrives after cancelling.
struct ReceiveOn {
    template <typename Output>
    static AnyCancellable subscribe(const SubscribeFunction<Output>& upstream, DispatchQueue& queue,
                                    Subscriber<Output> downstream) {
        struct State {
            Subscriber<Output> downstream;
            AnyCancellable upstream;
        };
        auto state = std::make_shared<State>();
        state->downstream = std::move(downstream);
        std::weak_ptr<State> weak = state;
        auto onValue = [weak, &queue](const Output& value) {
            queue.async([weak, value] {
                if (auto state = weak.lock()) {
                    state->downstream.value(value);
                }
            });
        };
        auto onCompletion = [weak, &queue](Completion completion) {
            queue.async([weak, completion] {
                if (auto state = weak.lock()) {
                    state->downstream.completion(completion);
                }
            });
        };
        state->upstream = upstream(Subscriber<Output>{onValue, onCompletion});
        return AnyCancellable([state] { state->upstream.cancel(); });
    }
};

} // namespace platform
