#pragma once

#include "platform/combine/AnyPublisher.h"

#include <memory>
#include <vector>

namespace platform {

// A publisher of a sequence's elements: each subscriber gets every element, in
// order, during the subscription itself, then the completion.
template <typename Sequence>
auto sequencePublisher(const Sequence& sequence) {
    using Element = typename Sequence::value_type;
    auto elements = std::make_shared<const std::vector<Element>>(std::begin(sequence), std::end(sequence));
    return AnyPublisher<Element>([elements](Subscriber<Element> subscriber) {
        for (const auto& element : *elements) {
            subscriber.value(element);
        }
        subscriber.completion(Completion::finished);
        return AnyCancellable();
    });
}

} // namespace platform
