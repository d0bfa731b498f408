#pragma once

#include "platform/foundation/UUID.h"
#include "platform/plist/PropertyListCodable.h"

#include <string>
#include <tuple>

namespace ListEditor {

// One entry of an editable list: a random identifier made with the entry, the
// text as typed (possibly empty), and a completion mark of the program's own
// type, which is stored and loaded but which nothing changes.
template <typename Completed>
struct ListEntry {
    platform::UUID id;
    std::string text;
    Completed completed{};

    static constexpr auto codingFields() {
        return std::tuple{platform::codingField("id", &ListEntry::id), platform::codingField("text", &ListEntry::text),
                          platform::codingField("completed", &ListEntry::completed)};
    }
    bool operator==(const ListEntry&) const = default;
};

} // namespace ListEditor
