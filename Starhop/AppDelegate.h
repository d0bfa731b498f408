#pragma once

#include "platform/appkit/ApplicationDelegate.h"
#include "platform/appkit/Object.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/foundation/URL.h"

#include <memory>
#include <optional>
#include <string_view>

namespace Starhop {

// The whole program: one status item that remembers one URL. A link dropped
// on the item replaces the URL, a click opens it, an option-click forgets it
// and a right click quits. The delegate of the button's window, which passes
// the drops on.
class AppDelegate : public platform::Object,
                    public platform::ApplicationDelegate,
                    public platform::WindowDelegate {
public:
    static constexpr std::string_view urlKey = "StarhopApp.url";
    static constexpr std::string_view title = "🚀";
    static constexpr std::string_view accessibilityHelp = "Star Hop";
    static constexpr std::string_view emptyToolTip = "Drag and drop a url onto this";
    static constexpr std::string_view openToolTipPrefix = "Open ";

    AppDelegate();

    // Absent until launching has finished; then kept for the whole run.
    std::shared_ptr<platform::StatusItem> item;
    std::optional<platform::URL> url;

    // Closes the window group's window, reads the remembered URL and puts
    // the item in the status bar; drops are taken from a later turn on.
    void applicationDidFinishLaunching() override;

    void setupStatusItem();
    void registerDragTypes();
    void updateTooltip();
    // Remembers the URL (or forgets it, given none) here and in the defaults.
    void storeURL(const std::optional<platform::URL>& newURL);
    // The button's action, on left- and right-button release.
    void clickedBarButton(platform::Object* sender);

    platform::DragOperation draggingEntered(platform::DraggingInfo& info) override;
    bool performDragOperation(platform::DraggingInfo& info) override;
    // Takes every drag that announces a URL, also one whose URL cannot be read.
    bool handleDrop(platform::DraggingInfo& info);
};

} // namespace Starhop
