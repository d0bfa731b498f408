#pragma once

#include "platform/foundation/Date.h"

#include <functional>
#include <memory>
#include <utility>

namespace platform {

enum class QualityOfService { background, utility, defaultQoS, userInitiated, userInteractive };

// The main queue (blocks run on the main run loop, one per turn order, in every
// mode) and the global concurrent queues (real threads).
class DispatchQueue {
public:
    using Block = std::function<void()>;

    static DispatchQueue& main();
    static DispatchQueue& global(QualityOfService qos = QualityOfService::defaultQoS);

    // Runs the block on a later turn (main) or on a worker thread (global).
    // Safe to call from any thread.
    void async(Block block);
    // Runs the block once the uptime has advanced by `seconds` (stops while asleep).
    void asyncAfter(double seconds, Block block);
    // Runs the block at a wall-clock moment: keeps counting while the computer
    // sleeps, so a deadline passed in sleep runs soon after waking.
    void asyncAfterWallDeadline(Date deadline, Block block);

    bool isMain() const { return isMain_; }
    QualityOfService qos() const { return qos_; }

private:
    explicit DispatchQueue(bool isMain, QualityOfService qos) : isMain_(isMain), qos_(qos) {}
    bool isMain_;
    QualityOfService qos_;
};

// Deferred blocks and handlers that must not keep their owner alive: the body
// runs only if the owner still exists, with a strong reference for the duration
// of the call. Arguments of the call (a timer, a published value) follow the owner:
// weakly(owner, [](Owner& o) {...}) is a block, weakly(owner, [](Owner& o, Date d) {...})
// a value handler.
template <typename Owner, typename Body>
auto weakly(const std::shared_ptr<Owner>& owner, Body body) {
    return [weak = std::weak_ptr<Owner>(owner), body = std::move(body)](auto&&... arguments) mutable -> void {
        if (auto strong = weak.lock()) {
            body(*strong, std::forward<decltype(arguments)>(arguments)...);
        }
    };
}

} // namespace platform
