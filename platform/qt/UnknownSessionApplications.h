#pragma once

#include "platform/qt/SessionApplications.h"

#include <iostream>

namespace platform {

// A session that tells no one its windows (GNOME on Wayland with this
// program on Wayland too, a bare compositor): there are none, which
// standard error says the first time they are asked for.
class UnknownSessionApplications final : public SessionApplications {
public:
    std::vector<RunningApplication> running() override {
        tellOnce();
        return {};
    }
    std::optional<RunningApplication> frontmost() override {
        tellOnce();
        return std::nullopt;
    }

    std::optional<FrontWindow> frontWindow() override { return std::nullopt; }

private:
    void tellOnce() {
        if (!told_) {
            std::cerr << "This desktop session tells no program which windows it has or which one is in front; "
                         "the running and frontmost applications are unknown.\n";
            told_ = true;
        }
    }

    bool told_ = false;
};

} // namespace platform
