#pragma once

#include "platform/combine/AnyCancellable.h"
#include "platform/combine/Debounce.h"
#include "platform/combine/ReceiveOn.h"
#include "platform/combine/SubscribeOn.h"
#include "platform/combine/Subscriber.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/runloop/RunLoop.h"

#include <functional>
#include <type_traits>
#include <utility>

namespace platform {

// A publisher of `Output` values that never fails, seen only through how it is
// subscribed to. The operators the programs chain are members, so a pipeline
// reads in the order values flow:
//
//     subject.debounce(0.5, RunLoop::main()).sink([](const Value& v) { ... }).store(bag);
//
// A subscription lasts as long as its token; destroying the token cancels it.
template <typename Output>
class AnyPublisher {
public:
    explicit AnyPublisher(SubscribeFunction<Output> subscribe) : subscribe_(std::move(subscribe)) {}

    AnyCancellable subscribe(Subscriber<Output> subscriber) const { return subscribe_(std::move(subscriber)); }

    AnyCancellable sink(std::function<void(const Output&)> receiveValue) const {
        return subscribe(Subscriber<Output>{std::move(receiveValue), nullptr});
    }
    AnyCancellable sink(std::function<void(Completion)> receiveCompletion,
                        std::function<void(const Output&)> receiveValue) const {
        return subscribe(Subscriber<Output>{std::move(receiveValue), std::move(receiveCompletion)});
    }

    AnyPublisher eraseToAnyPublisher() const { return *this; }

    template <typename Transform>
    auto map(Transform transform) const {
        using Mapped = std::decay_t<std::invoke_result_t<Transform&, const Output&>>;
        return AnyPublisher<Mapped>([upstream = subscribe_, transform](Subscriber<Mapped> downstream) mutable {
            auto onValue = [transform, value = downstream.receiveValue](const Output& output) mutable {
                if (value) {
                    value(transform(output));
                }
            };
            return upstream(Subscriber<Output>{onValue, downstream.receiveCompletion});
        });
    }

    AnyPublisher debounce(double seconds, RunLoop& runLoop) const {
        return AnyPublisher([upstream = subscribe_, seconds, &runLoop](Subscriber<Output> downstream) {
            return Debounce::subscribe(upstream, seconds, runLoop, std::move(downstream));
        });
    }

    // The main run loop schedules through the main queue.
    AnyPublisher subscribeOn(RunLoop&) const { return subscribeOn(DispatchQueue::main()); }
    AnyPublisher subscribeOn(DispatchQueue& queue) const {
        return AnyPublisher([upstream = subscribe_, &queue](Subscriber<Output> downstream) {
            return SubscribeOn::subscribe(upstream, queue, std::move(downstream));
        });
    }

    AnyPublisher receiveOn(RunLoop&) const { return receiveOn(DispatchQueue::main()); }
    AnyPublisher receiveOn(DispatchQueue& queue) const {
        return AnyPublisher([upstream = subscribe_, &queue](Subscriber<Output> downstream) {
            return ReceiveOn::subscribe(upstream, queue, std::move(downstream));
        });
    }

private:
    SubscribeFunction<Output> subscribe_;
};

} // namespace platform
