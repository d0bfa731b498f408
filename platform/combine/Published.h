#pragma once

#include "platform/combine/ObservableObject.h"

#include <utility>

namespace platform {

// A field of an observable object whose every change is announced through the
// owner's objectWillChange before the new value is stored.
template <typename Value>
class Published {
public:
    Published(ObservableObject& owner, Value initial) : owner_(owner), value_(std::move(initial)) {}
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    const Value& get() const { return value_; }
    operator const Value&() const { return value_; }
    const Value* operator->() const { return &value_; }

    void set(Value value) {
        owner_.objectWillChange.send();
        value_ = std::move(value);
    }
    Published& operator=(Value value) {
        set(std::move(value));
        return *this;
    }

    // Changes the value in place (an element of a list, say), announced first.
    template <typename Change>
    void modify(Change&& change) {
        owner_.objectWillChange.send();
        std::forward<Change>(change)(value_);
    }

private:
    ObservableObject& owner_;
    Value value_;
};

} // namespace platform
