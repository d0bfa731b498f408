#pragma once

#include "platform/combine/AnyPublisher.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace platform {

// A publisher that passes on what it is sent to everyone subscribed at that
// moment. Copies share one subject. After the completion it ignores further
// sends, and a late subscriber gets just the completion. Main thread only.
template <typename Output>
class PassthroughSubject : public AnyPublisher<Output> {
    struct Entry {
        Subscriber<Output> subscriber;
        bool active = true;
    };
    struct State {
        std::vector<std::shared_ptr<Entry>> entries;
        bool finished = false;
    };

public:
    PassthroughSubject() : PassthroughSubject(std::make_shared<State>()) {}

    void send(const Output& value) const {
        // A snapshot: subscribers may come and go while the value is delivered.
        auto entries = state_->entries;
        for (const auto& entry : entries) {
            if (entry->active) {
                entry->subscriber.value(value);
            }
        }
    }

    void send(Completion completion) const {
        if (state_->finished) {
            return;
        }
        state_->finished = true;
        auto entries = std::move(state_->entries);
        state_->entries.clear();
        for (const auto& entry : entries) {
            if (entry->active) {
                entry->active = false;
                entry->subscriber.completion(completion);
            }
        }
    }

private:
    explicit PassthroughSubject(std::shared_ptr<State> state)
        : AnyPublisher<Output>([state](Subscriber<Output> subscriber) { return attach(state, std::move(subscriber)); }),
          state_(std::move(state)) {}

    static AnyCancellable attach(const std::shared_ptr<State>& state, Subscriber<Output> subscriber) {
        if (state->finished) {
            subscriber.completion(Completion::finished);
            return AnyCancellable();
        }
        auto entry = std::make_shared<Entry>(Entry{std::move(subscriber)});
        state->entries.push_back(entry);
        return AnyCancellable([weak = std::weak_ptr<State>(state), entry] {
            entry->active = false;
            if (auto state = weak.lock()) {
                std::erase(state->entries, entry);
            }
        });
    }

    std::shared_ptr<State> state_;
};

} // namespace platform
