#include "platform/runloop/WorkerPool.h"

#include <algorithm>

namespace platform {

WorkerPool& WorkerPool::shared() {
    // The pool outlives every static object (blocks may be submitted from their
    // destructors); only its threads are joined at exit.
    static auto* pool = new WorkerPool(std::clamp<std::size_t>(std::thread::hardware_concurrency(), 2, 4));
    static struct Joiner {
        ~Joiner() { pool->shutdown(); }
    } joiner;
    return *pool;
}

WorkerPool::WorkerPool(std::size_t maxThreads) : maxThreads_(std::max<std::size_t>(maxThreads, 1)) {}

WorkerPool::~WorkerPool() { shutdown(); }

void WorkerPool::submit(std::function<void()> block) {
    if (!block) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return;
        }
        blocks_.push_back(std::move(block));
        if (idle_ < blocks_.size() && threads_.size() < maxThreads_) {
            threads_.emplace_back([this] { work(); });
        }
    }
    ready_.notify_one();
}

void WorkerPool::shutdown() {
    std::vector<std::thread> threads;
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        threads.swap(threads_);
        dropped.swap(blocks_);
    }
    ready_.notify_all();
    for (auto& thread : threads) {
        if (thread.get_id() == std::this_thread::get_id()) {
            thread.detach(); // exit() called from a worker: it cannot join itself
        } else {
            thread.join();
        }
    }
}

void WorkerPool::work() {
    std::unique_lock lock(mutex_);
    while (true) {
        ++idle_;
        ready_.wait(lock, [this] { return stopping_ || !blocks_.empty(); });
        --idle_;
        if (stopping_) {
            return;
        }
        auto block = std::move(blocks_.front());
        blocks_.pop_front();
        lock.unlock();
        block();
        block = nullptr; // its captures go before the lock is taken again
        lock.lock();
    }
}

} // namespace platform
