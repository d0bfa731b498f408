#pragma once

namespace platform {

// Something that can be stopped: a subscription, a timer connection.
class Cancellable {
public:
    virtual ~Cancellable() = default;
    virtual void cancel() = 0;
};

} // namespace platform
