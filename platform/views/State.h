#pragma once

#include "platform/views/Binding.h"
#include "platform/views/Component.h"
#include "platform/views/StateSlot.h"

#include <memory>
#include <utility>

namespace platform {

// A value owned by a component. Setting it rebuilds the component's body on a
// later turn; it survives rebuilds of the component's parent (the new instance
// takes it over). Bindings to it stay valid as long as anyone holds them.
template <typename T>
class State final : public StateSlot {
    struct Storage {
        T value;
        Component* owner;
    };

public:
    State(Component* owner, T initial) : storage_(std::make_shared<Storage>(Storage{std::move(initial), owner})) {
        owner->registerState(*this);
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() override { release(); }

    const T& get() const { return storage_->value; }
    operator const T&() const { return storage_->value; }
    const T* operator->() const { return &storage_->value; }

    void set(T value) { store(*storage_, std::move(value)); }
    State& operator=(T value) {
        set(std::move(value));
        return *this;
    }
    // Changes the value in place.
    template <typename Change>
    void modify(Change&& change) {
        std::forward<Change>(change)(storage_->value);
        if (storage_->owner) {
            storage_->owner->invalidate();
        }
    }

    Binding<T> binding() const {
        return Binding<T>([storage = storage_] { return storage->value; },
                          [storage = storage_](T value) { store(*storage, std::move(value)); },
                          [storage = storage_] { return &storage->value; });
    }

    bool takeOver(StateSlot& previous) override {
        auto* before = dynamic_cast<State*>(&previous);
        if (!before) {
            return false;
        }
        release();
        storage_ = before->storage_;
        storage_->owner = owner_;
        return true;
    }

private:
    static void store(Storage& storage, T value) {
        storage.value = std::move(value);
        if (storage.owner) {
            storage.owner->invalidate();
        }
    }
    void release() {
        if (storage_->owner == owner_) {
            storage_->owner = nullptr;
        }
    }

    std::shared_ptr<Storage> storage_;
    Component* owner_ = storage_->owner;
};

} // namespace platform
