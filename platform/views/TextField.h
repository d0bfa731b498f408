#pragma once

#include "platform/views/Binding.h"
#include "platform/views/ViewNode.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// An editable line of text bound to a value. A field bound to a text stores
// every edit at once; a field bound to a number through a formatter stores
// only when editing ends (Return, Tab, focus elsewhere) and only text the
// formatter reads: other text leaves the value as it was, and the field shows
// the value again.
class TextField : public View {
public:
    // How the field reads and writes its value as text.
    struct Value {
        std::function<std::string()> text;
        // False when the text is not a value.
        std::function<bool(const std::string&)> store;
        bool storesEachEdit = true;
    };

    class Node final : public ViewNode {
    public:
        Node(std::string placeholder, Value value) : placeholder_(std::move(placeholder)), value_(std::move(value)) {}

        const std::string& placeholder() const { return placeholder_; }
        // What the field shows: the text being edited, or the bound value.
        std::string text() const;
        bool isEditing() const { return editing_.has_value(); }

        // Editing as the keyboard does it: the field takes the focus (ending
        // the editing of another field of the graph), its whole text is replaced
        // by each edit, and editing ends with Return, Tab or a focus change.
        // Disabled fields ignore all three.
        void beginEditing();
        void replaceText(std::string text);
        // True when the bound value took the text (or nothing was being edited).
        bool endEditing();

        std::string kind() const override { return "TextField"; }
        std::string summary() const override;
        std::vector<std::string> searchTexts() const override { return {placeholder_, text()}; }
        bool isControl() const override { return true; }

    protected:
        void adopt(ViewNode& previous, const std::optional<AnimationStart>& animation) override;

    private:
        std::string placeholder_;
        Value value_;
        std::optional<std::string> editing_;
    };

    TextField(std::string placeholder, Binding<std::string> text);

    // A number shown and read through a formatter with
    // `std::optional<std::string> string(double)` and
    // `std::optional<double> number(std::string_view)` (a NumberFormatter).
    template <typename Formatter>
    TextField(std::string placeholder, Binding<double> value, std::shared_ptr<Formatter> formatter)
        : View(std::make_shared<Node>(std::move(placeholder), formatted(std::move(value), std::move(formatter)))) {}

    template <typename Formatter>
        requires requires(const Formatter& f) { f.number(std::string_view()); }
    TextField(std::string placeholder, Binding<double> value, Formatter formatter)
        : TextField(std::move(placeholder), std::move(value), std::make_shared<Formatter>(std::move(formatter))) {}

private:
    template <typename Formatter>
    static Value formatted(Binding<double> value, std::shared_ptr<Formatter> formatter) {
        return Value{[value, formatter] { return formatter->string(value.get()).value_or(std::string()); },
                     [value, formatter](const std::string& text) {
                         auto number = formatter->number(text);
                         if (!number) {
                             return false;
                         }
                         value.set(*number);
                         return true;
                     },
                     false};
    }
};

} // namespace platform
