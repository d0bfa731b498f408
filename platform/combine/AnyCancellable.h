#pragma once

#include "platform/combine/Cancellable.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <unordered_set>
#include <vector>

namespace platform {

class AnyCancellable;

// The usual home of an owner's subscriptions: emptying it (or destroying it with
// its owner) cancels them all.
using CancelBag = std::set<AnyCancellable>;

// A subscription token that cancels when it is destroyed. Move-only; tokens are
// ordered and hashed by identity, so they can live in sets.
class AnyCancellable final : public Cancellable {
public:
    AnyCancellable() = default;
    explicit AnyCancellable(std::function<void()> cancel);
    AnyCancellable(AnyCancellable&& other) noexcept;
    AnyCancellable& operator=(AnyCancellable&& other) noexcept;
    AnyCancellable(const AnyCancellable&) = delete;
    AnyCancellable& operator=(const AnyCancellable&) = delete;
    ~AnyCancellable() override;

    // Runs the cancel action once; later calls do nothing.
    void cancel() override;

    void store(std::set<AnyCancellable>& bag) &&;
    void store(std::unordered_set<AnyCancellable>& bag) &&;
    void store(std::vector<AnyCancellable>& bag) &&;

    std::uint64_t identity() const { return identity_; }
    friend bool operator==(const AnyCancellable& a, const AnyCancellable& b) { return a.identity_ == b.identity_; }
    friend bool operator<(const AnyCancellable& a, const AnyCancellable& b) { return a.identity_ < b.identity_; }

private:
    static std::uint64_t nextIdentity();

    std::function<void()> cancel_;
    std::uint64_t identity_ = nextIdentity();
};

} // namespace platform

template <>
struct std::hash<platform::AnyCancellable> {
    std::size_t operator()(const platform::AnyCancellable& token) const noexcept {
        return std::hash<std::uint64_t>{}(token.identity());
    }
};
