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

    Binding(Getter get, Setter set) : get_(std::move(get)), set_(std::move(set)) {}

    T get() const { return get_(); }
    void set(T value) const { set_(std::move(value)); }

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
                          });
    }

private:
    Getter get_;
    Setter set_;
};

} // namespace platform
