#pragma once

#include "platform/views/ViewModifier.h"

#include <functional>
#include <utility>

namespace platform {

// Runs an action with the new value when a watched value differs from the one
// the view had before its last rebuild. The first showing runs nothing.
template <typename T>
class ChangeModifier final : public ViewModifier {
public:
    ChangeModifier(T value, std::function<void(const T&)> action)
        : value_(std::move(value)), action_(std::move(action)) {}

    const T& value() const { return value_; }

    std::string describe() const override { return ".onChange"; }

    void adopt(ViewModifier& previous, ModifierContext& context) override {
        auto& before = static_cast<ChangeModifier&>(previous);
        if (!(before.value_ == value_)) {
            context.afterUpdate([action = action_, value = value_] { action(value); });
        }
    }

private:
    T value_;
    std::function<void(const T&)> action_;
};

} // namespace platform
