#include "Hourtrail/StoreWriter.h"

#include "platform/defaults/UserDefaults.h"
#include "platform/plist/PropertyListDecoder.h"
#include "platform/plist/PropertyListEncoder.h"
#include "platform/runloop/DispatchQueue.h"

namespace Hourtrail {

StoreWriter::StoreWriter(const char* key, std::shared_ptr<const platform::Data> storedBytes)
    : delivery_(std::make_shared<Delivery>(key)),
      thread_([this, bytes = std::move(storedBytes)]() mutable { run(std::move(bytes)); }) {}

StoreWriter::~StoreWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    handedOver_.notify_one();
    thread_.join();
    delivery_->deliver();
}

void StoreWriter::write(Changes changes) {
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(std::move(changes));
    }
    handedOver_.notify_one();
}

void StoreWriter::waitUntilWritten() {
    waitUntilEncoded();
    delivery_->deliver();
}

void StoreWriter::waitUntilEncoded() {
    std::unique_lock lock(mutex_);
    encoded_.wait(lock, [this] { return pending_.empty() && !encoding_; });
}

void StoreWriter::run(std::shared_ptr<const platform::Data> storedBytes) {
    std::unique_lock lock(mutex_);
    while (true) {
        handedOver_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (pending_.empty()) {
            return;
        }
        std::deque<Changes> taken = std::move(pending_);
        pending_.clear();
        encoding_ = true;
        lock.unlock();
        if (storedBytes) {
            // The copy is decoded at the first hand-over, not at start, so
            // that start-up decodes the store once (the main thread, into
            // the store it credits, from the same bytes) and does not share
            // the processors and the memory with a second decoding. A reset
            // first needs no copy at all.
            if (!taken.front().emptied) {
                copy_ = platform::PropertyListDecoder::decode<Store>(*storedBytes).value_or(Store{});
            }
            storedBytes.reset();
        }
        // Hand-overs that queued up while the last one was encoded make one encoding.
        for (const Changes& changes : taken) {
            apply(changes);
        }
        // Without a tree: the store's tree would take several times the
        // store's memory, and most of the time of a save.
        platform::Data encoded = platform::PropertyListEncoder::encodeWithoutTree(copy_);
        {
            std::lock_guard delivered(delivery_->mutex);
            delivery_->encoded = std::move(encoded);
        }
        platform::DispatchQueue::main().async([delivery = delivery_] { delivery->deliver(); });
        lock.lock();
        encoding_ = false;
        encoded_.notify_all();
    }
}

void StoreWriter::apply(const Changes& changes) {
    if (changes.emptied) {
        copy_ = Store{};
    }
    for (const auto& [name, activity] : changes.activities) {
        copy_.activities.insert_or_assign(name, activity);
    }
    for (const auto& [host, activity] : changes.websites) {
        copy_.webActivities.insert_or_assign(host, activity);
    }
}

void StoreWriter::Delivery::deliver() {
    std::optional<platform::Data> newest;
    {
        std::lock_guard lock(mutex);
        newest.swap(encoded);
    }
    if (newest) {
        platform::UserDefaults::standard().set(platform::PropertyList(std::move(*newest)), key);
    }
}

} // namespace Hourtrail
