#include "platform/defaults/DefaultsWriter.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace platform {

struct DefaultsWriter::State {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> jobs;
    bool running = false;
    // A forked child has no writer thread: it starts its own on first use.
    pid_t owner = 0;

    void startIfNeeded() {
        if (owner == ::getpid()) {
            return;
        }
        owner = ::getpid();
        jobs.clear();
        running = false;
        // Detached and never joined: it must outlive static destructors and
        // exit handlers, which may still wait for it.
        std::thread([this] { work(); }).detach();
    }

    void work() {
        std::unique_lock lock(mutex);
        while (true) {
            changed.wait(lock, [this] { return !jobs.empty(); });
            auto job = std::move(jobs.front());
            jobs.pop_front();
            running = true;
            lock.unlock();
            job();
            job = nullptr; // what it holds goes before the writer says it is idle
            lock.lock();
            running = false;
            changed.notify_all();
        }
    }
};

namespace {

DefaultsWriter::State& writerState() {
    static auto* state = new DefaultsWriter::State; // used by exit handlers
    return *state;
}

} // namespace

DefaultsWriter& DefaultsWriter::shared() {
    static DefaultsWriter writer;
    return writer;
}

void DefaultsWriter::submit(std::function<void()> job) {
    auto& state = writerState();
    {
        std::lock_guard lock(state.mutex);
        state.startIfNeeded();
        state.jobs.push_back(std::move(job));
    }
    state.changed.notify_all();
}

void DefaultsWriter::waitUntilIdle() {
    auto& state = writerState();
    std::unique_lock lock(state.mutex);
    if (state.owner != ::getpid()) {
        return; // nothing was ever submitted in this process
    }
    state.changed.wait(lock, [&] { return state.jobs.empty() && !state.running; });
}

} // namespace platform
