#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace platform {

// An action's name in the platform's spelling, colon included
// ("clickedMenu:", "terminate:").
using Selector = std::string;

// The base of every object that can be the target of an action. Actions are
// registered by name, so the platform can ask whether an object answers one
// (automatic menu enabling, the responder chain) before sending it.
//
// Objects are shared (`std::make_shared`); the platform holds targets and
// delegates weakly, as the platform's own objects do.
class Object : public std::enable_shared_from_this<Object> {
public:
    using Action = std::function<void(Object* sender)>;

    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    void addAction(const Selector& selector, Action action);
    void removeAction(const Selector& selector);
    bool respondsTo(const Selector& selector) const;
    // Runs the action if this object answers it; false otherwise.
    bool perform(const Selector& selector, Object* sender);

    // This object as a shared pointer of one of its other bases or of its own
    // class (`sharedAs<WindowDelegate>()`), for handing itself out as a delegate.
    // Empty when the object is not owned by a shared pointer or is not a T.
    template <typename T>
    std::shared_ptr<T> sharedAs() {
        auto self = weak_from_this().lock();
        return std::dynamic_pointer_cast<T>(self);
    }
    template <typename T>
    std::weak_ptr<T> weakAs() {
        return sharedAs<T>();
    }

private:
    std::map<Selector, Action> actions_;
};

} // namespace platform
