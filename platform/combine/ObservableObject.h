#pragma once

#include "platform/combine/PassthroughSubject.h"

#include <variant>

namespace platform {

// Announces that an observable object is about to change; carries no value.
class ObservableObjectPublisher : public PassthroughSubject<std::monostate> {
public:
    using PassthroughSubject::send;
    void send() const { send(std::monostate{}); }
};

// A reference object that tells its observers (views) before each change of its
// state, so they re-evaluate with the new state. Its Published fields announce
// on their own; other changes call objectWillChange.send() first.
class ObservableObject {
public:
    ObservableObject() = default;
    ObservableObject(const ObservableObject&) = delete;
    ObservableObject& operator=(const ObservableObject&) = delete;
    virtual ~ObservableObject() = default;

    ObservableObjectPublisher objectWillChange;
};

} // namespace platform
