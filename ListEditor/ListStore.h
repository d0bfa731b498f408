#pragma once

#include "platform/combine/AnyCancellable.h"
#include "platform/combine/ObservableObject.h"
#include "platform/combine/PassthroughSubject.h"
#include "platform/combine/Published.h"
#include "platform/combine/SequencePublisher.h"
#include "platform/defaults/StoredRecord.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/DebugLine.h"
#include "platform/plist/PropertyListEncoder.h"
#include "platform/runloop/RunLoop.h"

#include <memory>
#include <utility>
#include <vector>

namespace ListEditor {

// The list a program edits: loaded from its defaults key at start, and written
// back as a binary property list a moment after each change. Every send on
// `storePublisherPassthrough` asks for a save; sends less than `saveDelay`
// apart cost one write, `saveDelay` after the last, on the main run loop.
//
// `Values` gives the program's entry type (`Entry`), its `defaultsKey`, the
// `saveDebugLine` printed at each save (if any), and whether the store's
// subscriptions are made on the main run loop (`subscribesOnMainRunLoop`).
template <typename Values>
class ListStore : public platform::ObservableObject, public std::enable_shared_from_this<ListStore<Values>> {
public:
    using Entry = typename Values::Entry;
    static constexpr double saveDelay = 0.5;

    // Loads the list and starts the subscriptions.
    static std::shared_ptr<ListStore> make() {
        std::shared_ptr<ListStore> store(new ListStore());
        store->start();
        return store;
    }

    // Carries the store to be saved; held weakly so that a waiting save does
    // not keep the store alive.
    platform::PassthroughSubject<std::weak_ptr<ListStore>> storePublisherPassthrough;
    platform::CancelBag cancellable;
    // One empty entry until something readable is loaded.
    platform::Published<std::vector<Entry>> list{*this, {Entry{}}};

    // Appends the entry and asks for a save as an edit does, so an entry added
    // just before quitting is not lost.
    void add(Entry entry) {
        list.modify([&entry](std::vector<Entry>& entries) { entries.push_back(std::move(entry)); });
        storePublisherPassthrough.send(this->weak_from_this());
    }

    // Writes the save still waiting for its pause, if there is one: the program
    // is ending and the wait would never run out.
    void saveWaitingList() {
        if (saveWaiting_) {
            saveList(*this);
        }
    }

private:
    ListStore() = default;

    void start() {
        // A value that does not decode leaves the default entry, and is kept
        // aside by the defaults before the next save replaces it.
        if (auto stored = platform::decodeStoredRecord<std::vector<Entry>>(platform::UserDefaults::standard(),
                                                                           Values::defaultsKey)) {
            list = std::move(*stored);
        }
        auto& mainLoop = platform::RunLoop::main();
        storePublisherPassthrough.sink([this](const std::weak_ptr<ListStore>&) { saveWaiting_ = true; })
            .store(cancellable);
        // Saves the list just loaded if the debounce lets one of its elements
        // through; nothing depends on whether it does.
        onMainRunLoop(platform::sequencePublisher(list.get()).debounce(saveDelay, mainLoop))
            .sink([weak = this->weak_from_this()](const Entry&) {
                if (auto store = weak.lock()) {
                    store->storePublisherPassthrough.send(store);
                }
            })
            .store(cancellable);
        onMainRunLoop(storePublisherPassthrough.debounce(saveDelay, mainLoop))
            .sink([](const std::weak_ptr<ListStore>& sent) {
                if (auto store = sent.lock()) {
                    saveList(*store);
                }
            })
            .store(cancellable);
    }

    template <typename Output>
    static platform::AnyPublisher<Output> onMainRunLoop(const platform::AnyPublisher<Output>& publisher) {
        if constexpr (Values::subscribesOnMainRunLoop) {
            return publisher.subscribeOn(platform::RunLoop::main());
        } else {
            return publisher;
        }
    }

    static void saveList(ListStore& store) {
        store.saveWaiting_ = false;
        if constexpr (Values::saveDebugLine.has_value()) {
            platform::debugPrint(*Values::saveDebugLine);
        }
        platform::UserDefaults::standard().set(
            platform::PropertyList(platform::PropertyListEncoder::encode(store.list.get())), Values::defaultsKey);
    }

    // A save was asked for and has not been written since.
    bool saveWaiting_ = false;
};

} // namespace ListEditor
