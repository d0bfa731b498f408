#pragma once

#include "platform/appkit/ViewController.h"
#include "platform/views/KeyboardShortcut.h"
#include "platform/views/View.h"
#include "platform/views/ViewGraph.h"

#include <memory>

namespace platform {

// The view controller that shows a declarative view: it keeps the view's
// graph, marks it shown and hidden with its window (which runs the views'
// on-appear actions), lists it, and gives the window's keys to it: Escape
// presses the button whose shortcut is the cancel action, Return ends the
// editing of a text field and presses the default-action button, and other
// keys press the button with that shortcut.
class HostingController : public ViewController {
public:
    static std::shared_ptr<HostingController> make(View rootView) {
        return std::make_shared<HostingController>(std::move(rootView));
    }
    explicit HostingController(View rootView);

    const View& rootView() const { return graph_->root(); }
    // A root of the same class as the current one keeps its state.
    void setRootView(View rootView);
    ViewGraph& graph() const { return *graph_; }

    // Brings the tree up to date first.
    std::string describe() const override;
    // The root's fixed frame, when it has one.
    Size preferredContentSize() const override;

    void viewDidAppear() override;
    void viewDidDisappear() override;
    bool keyDown(const Event& event) override;

    // Presses the first enabled button with this shortcut; false if none.
    bool performShortcut(const KeyboardShortcut& shortcut);

private:
    std::shared_ptr<ViewGraph> graph_;
};

} // namespace platform
