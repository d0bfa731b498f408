#pragma once

#include "platform/combine/AnyCancellable.h"
#include "platform/combine/Completion.h"

#include <functional>

namespace platform {

// What a publisher delivers to: values, then at most one completion. Publishers
// and subscribers live on the main thread unless an operator moves them.
template <typename Output>
struct Subscriber {
    std::function<void(const Output&)> receiveValue;
    std::function<void(Completion)> receiveCompletion;

    void value(const Output& output) const {
        if (receiveValue) {
            receiveValue(output);
        }
    }
    void completion(Completion completion) const {
        if (receiveCompletion) {
            receiveCompletion(completion);
        }
    }
};

// How a publisher is subscribed to: it starts delivering to the subscriber and
// hands back the token that stops it.
template <typename Output>
using SubscribeFunction = std::function<AnyCancellable(Subscriber<Output>)>;

} // namespace platform
