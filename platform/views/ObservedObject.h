#pragma once

#include "platform/combine/AnyCancellable.h"
#include "platform/combine/ObservableObject.h"
#include "platform/combine/Published.h"
#include "platform/views/Binding.h"
#include "platform/views/Component.h"

#include <memory>
#include <utility>
#include <variant>

namespace platform {

// An observable object a component watches: every announcement of a coming
// change asks for the component's body to be rebuilt (on a later turn, so the
// rebuild sees the changed state).
template <typename T>
class ObservedObject {
public:
    ObservedObject(Component* owner, std::shared_ptr<T> object) : object_(std::move(object)) {
        if (object_) {
            const ObservableObject& observable = *object_;
            token_ = observable.objectWillChange.sink([owner](const std::monostate&) { owner->invalidate(); });
        }
    }
    ObservedObject(const ObservedObject&) = delete;
    ObservedObject& operator=(const ObservedObject&) = delete;

    T* operator->() const { return object_.get(); }
    T& operator*() const { return *object_; }
    const std::shared_ptr<T>& get() const { return object_; }

    // A binding to a published field of the object (what a text field edits).
    template <typename Value>
    Binding<Value> binding(Published<Value> T::*field) const {
        return Binding<Value>([object = object_, field] { return ((*object).*field).get(); },
                              [object = object_, field](Value value) { ((*object).*field).set(std::move(value)); },
                              [object = object_, field] { return &((*object).*field).get(); },
                              [object = object_, field](const typename Binding<Value>::Change& change) {
                                  ((*object).*field).modify(change);
                              });
    }

private:
    std::shared_ptr<T> object_;
    AnyCancellable token_;
};

} // namespace platform
