#pragma once

#include "Hourtrail/Store.h"

#include "platform/foundation/Data.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace Hourtrail {

// Encodes the store for the defaults on a thread of its own. It keeps a copy
// of the store, brought up to date with the entries each save changed, so
// the main thread hands over a few entries, whatever the store's size, and
// the encoding of the whole store, which grows with it, never delays a tick.
// The encoded store goes into the defaults on the main thread, as every
// other change does.
class StoreWriter {
public:
    // What changed since the previous hand-over.
    struct Changes {
        // All totals were reset before the entries below were credited.
        bool emptied = false;
        // Each entry under its key in the store.
        std::vector<std::pair<std::string, AppActivity>> activities;
        std::vector<std::pair<std::string, WebsiteActivity>> websites;
    };

    // The copy starts as the store `storedBytes` hold, decoded on the
    // writer's thread when the first changes are handed over; none (null) give
    // the empty store.
    StoreWriter(const char* key, std::shared_ptr<const platform::Data> storedBytes);
    // Encodes what was handed over and puts it into the defaults.
    ~StoreWriter();
    StoreWriter(const StoreWriter&) = delete;
    StoreWriter& operator=(const StoreWriter&) = delete;

    // Applies the changes to the copy and encodes it; the main queue then
    // puts it into the defaults. In the order handed over.
    void write(Changes changes);
    // On the main thread: returns once everything handed over is in the defaults.
    void waitUntilWritten();

private:
    // The newest encoding on its way to the defaults. Shared with the blocks
    // on the main queue, which may run after the writer is gone.
    struct Delivery {
        explicit Delivery(const char* key) : key(key) {}
        const char* key;
        std::mutex mutex;
        std::optional<platform::Data> encoded;
        // On the main thread: puts the newest encoding, if one waits, into the defaults.
        void deliver();
    };

    void run(std::shared_ptr<const platform::Data> storedBytes);
    void apply(const Changes& changes);
    void waitUntilEncoded();

    Store copy_;
    std::shared_ptr<Delivery> delivery_;
    std::mutex mutex_;
    std::condition_variable handedOver_;
    std::condition_variable encoded_;
    std::deque<Changes> pending_;
    bool encoding_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace Hourtrail
