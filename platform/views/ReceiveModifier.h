#pragma once

#include "platform/combine/AnyCancellable.h"
#include "platform/combine/AnyPublisher.h"
#include "platform/views/ViewModifier.h"

#include <functional>
#include <utility>

namespace platform {

// Runs an action with every value a publisher delivers while the view is in
// the graph. A rebuilt view subscribes to its (possibly new) publisher before
// the old subscription ends, so a shared timer that connects with its first
// subscriber keeps running, and a replaced one stops.
template <typename Output>
class ReceiveModifier final : public ViewModifier {
public:
    ReceiveModifier(AnyPublisher<Output> publisher, std::function<void(const Output&)> action)
        : publisher_(std::move(publisher)), action_(std::move(action)) {}

    std::string describe() const override { return ".onReceive"; }

    void attach(ModifierContext&) override { token_ = publisher_.sink(action_); }
    void adopt(ViewModifier& previous, ModifierContext& context) override {
        attach(context);
        static_cast<ReceiveModifier&>(previous).detach();
    }
    void detach() override { token_.cancel(); }

private:
    AnyPublisher<Output> publisher_;
    std::function<void(const Output&)> action_;
    AnyCancellable token_;
};

} // namespace platform
