#pragma once

#include "platform/combine/Subscriber.h"
#include "platform/runloop/DispatchQueue.h"

#include <memory>

namespace platform {

// Makes the subscription to the upstream on the queue, on a later turn; the
// upstream's values then come from wherever it sends them. Cancelling before that
// turn means the upstream is never subscribed to.
struct SubscribeOn {
    template <typename Output>
    static AnyCancellable subscribe(const SubscribeFunction<Output>& upstream, DispatchQueue& queue,
                                    Subscriber<Output> downstream) {
        struct State {
            bool cancelled = false;
            AnyCancellable upstream;
        };
        auto state = std::make_shared<State>();
        queue.async([weak = std::weak_ptr<State>(state), upstream, downstream = std::move(downstream)]() mutable {
            auto state = weak.lock();
            if (state && !state->cancelled) {
                state->upstream = upstream(std::move(downstream));
            }
        });
        return AnyCancellable([state] {
            state->cancelled = true;
            state->upstream.cancel();
        });
    }
};

} // namespace platform
