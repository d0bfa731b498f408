#include "platform/runloop/DispatchQueue.h"

#include "platform/runloop/Clock.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/WorkerPool.h"

namespace platform {

DispatchQueue& DispatchQueue::main() {
    static DispatchQueue queue(true, QualityOfService::userInteractive);
    return queue;
}

DispatchQueue& DispatchQueue::global(QualityOfService qos) {
    static DispatchQueue queues[] = {
        DispatchQueue(false, QualityOfService::background),    DispatchQueue(false, QualityOfService::utility),
        DispatchQueue(false, QualityOfService::defaultQoS),    DispatchQueue(false, QualityOfService::userInitiated),
        DispatchQueue(false, QualityOfService::userInteractive),
    };
    auto index = static_cast<std::size_t>(qos);
    return index < std::size(queues) ? queues[index] : queues[2];
}

void DispatchQueue::async(Block block) {
    if (!block) {
        return;
    }
    if (isMain_) {
        RunLoop::main().enqueue(std::move(block));
    } else {
        WorkerPool::shared().submit(std::move(block));
    }
}

// Delayed blocks of the global queues are timed by the main run loop too (so
// they follow the virtual clock in tests) and handed to a worker when due.
void DispatchQueue::asyncAfter(double seconds, Block block) {
    if (!block) {
        return;
    }
    if (!(seconds > 0)) {
        seconds = 0;
    }
    double due = Clock::current().uptime() + seconds;
    if (isMain_) {
        RunLoop::main().enqueueAtUptime(due, std::move(block));
    } else {
        RunLoop::main().enqueueAtUptime(due, [block = std::move(block)]() mutable {
            WorkerPool::shared().submit(std::move(block));
        });
    }
}

void DispatchQueue::asyncAfterWallDeadline(Date deadline, Block block) {
    if (!block) {
        return;
    }
    if (isMain_) {
        RunLoop::main().enqueueAtWall(deadline, std::move(block));
    } else {
        RunLoop::main().enqueueAtWall(deadline, [block = std::move(block)]() mutable {
            WorkerPool::shared().submit(std::move(block));
        });
    }
}

} // namespace platform
