#pragma once

#include "platform/views/ButtonStyle.h"
#include "platform/views/KeyboardShortcut.h"
#include "platform/views/ViewNode.h"

#include <functional>
#include <string>

namespace platform {

// A control that runs its action when pressed: clicked, or by its keyboard
// shortcut while its window is key. Its label is a text or any view.
class Button : public View {
public:
    class Node final : public ViewNode {
    public:
        Node(View label, std::function<void()> action);

        // The texts of the label (the symbol names when it has no text).
        std::string title() const;
        const KeyboardShortcut* shortcut() const;
        ButtonStyle style() const;

        // Runs the action unless the button is disabled; false when it did not run.
        bool press();

        std::string kind() const override { return "Button"; }
        std::string summary() const override;
        std::vector<std::string> searchTexts() const override { return {title()}; }
        std::string childRole(std::size_t index) const override;
        bool isControl() const override { return true; }
        // A label that is a bare text is shown in the button's own line.
        bool listsChild(std::size_t index) const override;

    private:
        std::function<void()> action_;
    };

    Button(std::string title, std::function<void()> action);
    Button(View label, std::function<void()> action);
};

} // namespace platform
