#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace platform {

// A two-way connection to a value that lives elsewhere (a view's state, a
// field of an observed object): controls read it through the getter and write
// it through the setter, so the owner decides what a change means.
template <typename T>
class Binding {
public:
    using Getter = std::function<T()>;
    using Setter = std::function<void(T)>;
    // Where the value lives, for reading it without a copy; nothing when it
    // has no place of its own (a computed value).
    using Peeker = std::function<const T*()>;
    // Changes the value where it lives, announced as a set is.
    using Change = std::function<void(T&)>;
    using Modifier = std::function<void(const Change&)>;

    Binding(Getter get, Setter set, Peeker peek = {}, Modifier modify = {})
        : get_(std::move(get)), set_(std::move(set)), peek_(std::move(peek)), modify_(std::move(modify)) {}

    T get() const { return get_(); }
    void set(T value) const { set_(std::move(value)); }
    // The value in place, valid until the next change; nothing when the
    // binding can only give copies. Lets a row of a long list find its own
    // element without copying the whole list.
    const T* peek() const { return peek_ ? peek_() : nullptr; }
    // Changes the value in place where it has a place (one element of a long
    // list, without copying the rest), else through a copy that is set back.
    void modify(const Change& change) const {
        if (modify_) {
            modify_(change);
            return;
        }
        T value = get_();
        change(value);
        set_(std::move(value));
    }

    // A binding to one field of the bound value: writing the field writes the
    // whole value back through this binding.
    template <typename U, typename Whole = T>
        requires std::is_class_v<Whole>
    Binding<U> member(U Whole::*field) const {
        return Binding<U>([get = get_, field] { return get().*field; },
                          [get = get_, set = set_, field](U value) {
                              T whole = get();
                              whole.*field = std::move(value);
                              set(std::move(whole));
                          },
                          [peek = peek_, field]() -> const U* {
                              const T* whole = peek ? peek() : nullptr;
                              return whole ? &(whole->*field) : nullptr;
                          });
    }

private:
    Getter get_;
    Setter set_;
    Peeker peek_;
    Modifier modify_;
};

} // namespace platform
