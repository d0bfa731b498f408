#include "platform/combine/AnyCancellable.h"

#include <atomic>
#include <utility>

namespace platform {

std::uint64_t AnyCancellable::nextIdentity() {
    static std::atomic<std::uint64_t> counter = 0;
    return ++counter;
}

AnyCancellable::AnyCancellable(std::function<void()> cancel) : cancel_(std::move(cancel)) {}

AnyCancellable::AnyCancellable(AnyCancellable&& other) noexcept
    : cancel_(std::exchange(other.cancel_, nullptr)), identity_(other.identity_) {}

AnyCancellable& AnyCancellable::operator=(AnyCancellable&& other) noexcept {
    if (this != &other) {
        cancel();
        cancel_ = std::exchange(other.cancel_, nullptr);
        identity_ = other.identity_;
    }
    return *this;
}

AnyCancellable::~AnyCancellable() { cancel(); }

void AnyCancellable::cancel() {
    // Taken out first: the action may destroy what holds this token.
    if (auto action = std::exchange(cancel_, nullptr)) {
        action();
    }
}

void AnyCancellable::store(std::set<AnyCancellable>& bag) && { bag.insert(std::move(*this)); }

void AnyCancellable::store(std::unordered_set<AnyCancellable>& bag) && { bag.insert(std::move(*this)); }

void AnyCancellable::store(std::vector<AnyCancellable>& bag) && { bag.push_back(std::move(*this)); }

} // namespace platform
