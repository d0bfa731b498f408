#pragma once

#include "ListEditor/ListStore.h"

#include "platform/appkit/Color.h"
#include "platform/views/Binding.h"
#include "platform/views/Button.h"
#include "platform/views/ButtonStyle.h"
#include "platform/views/Component.h"
#include "platform/views/ForEach.h"
#include "platform/views/List.h"
#include "platform/views/ObservedObject.h"
#include "platform/views/Stack.h"
#include "platform/views/TextField.h"

#include <algorithm>
#include <memory>
#include <string>

namespace ListEditor {

// The list editor: one text field per entry, each with a context menu that
// deletes it, and a button after the last row that adds an entry. Every
// keystroke and every deletion asks the store for a save.
//
// `Values` gives the field's `placeholder`, the `deleteLabel` of the context
// menu, the `addLabel` of the button and the `newEntryText` it adds.
template <typename Values>
class EditorView : public platform::Component {
public:
    using Store = ListStore<Values>;
    using Entry = typename Store::Entry;

    explicit EditorView(std::shared_ptr<Store> observed) : store(this, std::move(observed)) {}

    platform::View body() override {
        auto shared = store.get();
        return platform::List{
            // A row is made from its entry and the store alone: a keystroke makes one row again.
            platform::ForEach::keepingUnchangedRows(
                store.binding(&Store::list), [](const Entry& entry) { return entry.id; },
                [shared](const platform::Binding<Entry>& entry) { return row(shared, entry); }),
            platform::Button(std::string(Values::addLabel), [shared] { shared->add(newEntry()); })
                .foregroundColor(platform::Color::secondary())
                .buttonStyle(platform::ButtonStyle::borderless),
        };
    }

    platform::ObservedObject<Store> store;

private:
    static Entry newEntry() {
        Entry entry;
        entry.text = Values::newEntryText;
        return entry;
    }

    static platform::View row(const std::shared_ptr<Store>& store, const platform::Binding<Entry>& entry) {
        platform::Binding<std::string> text([entry] { return entry.get().text; },
                                            [store, entry](std::string typed) {
                                                Entry edited = entry.get();
                                                edited.text = std::move(typed);
                                                entry.set(std::move(edited));
                                                store->storePublisherPassthrough.send(store);
                                            });
        return platform::HStack{platform::TextField(std::string(Values::placeholder), std::move(text))}.contextMenu(
            {platform::Button(std::string(Values::deleteLabel), [store, entry] { remove(store, entry.get()); })});
    }

    // Removes the first entry equal to the row's (identifier, text and mark);
    // a row whose entry has gone changes nothing.
    static void remove(const std::shared_ptr<Store>& store, const Entry& entry) {
        const auto& entries = store->list.get();
        const auto found = std::find(entries.begin(), entries.end(), entry);
        if (found == entries.end()) {
            return;
        }
        const auto index = found - entries.begin();
        store->list.modify([index](std::vector<Entry>& all) { all.erase(all.begin() + index); });
        store->storePublisherPassthrough.send(store);
    }
};

} // namespace ListEditor
