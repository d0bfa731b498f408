#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

// The threads behind the global queues: a few workers, started on demand, that
// take blocks in the order they came. At exit the pool stops taking work, lets
// the running blocks finish and joins its threads; blocks not yet started are dropped.
class WorkerPool {
public:
    static WorkerPool& shared();

    explicit WorkerPool(std::size_t maxThreads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void submit(std::function<void()> block);
    // Joins the workers; later submissions are dropped.
    void shutdown();

private:
    void work();

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> blocks_;
    std::vector<std::thread> threads_;
    std::size_t maxThreads_;
    std::size_t idle_ = 0;
    bool stopping_ = false;
};

} // namespace platform
