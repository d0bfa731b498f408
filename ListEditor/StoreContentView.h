#pragma once

#include "platform/views/Component.h"
#include "platform/views/State.h"
#include "platform/views/View.h"

#include <memory>
#include <utility>

namespace ListEditor {

// The root of a list window: it keeps the store alive for as long as the
// window's views live, and shows `Editor` on it.
template <typename Editor>
class StoreContentView : public platform::Component {
public:
    using Store = typename Editor::Store;

    explicit StoreContentView(std::shared_ptr<Store> held) : store(this, std::move(held)) {}

    platform::View body() override { return platform::View::make<Editor>(store.get()); }

    platform::State<std::shared_ptr<Store>> store;
};

} // namespace ListEditor
