#pragma once

#include "platform/appkit/Event.h"
#include "platform/appkit/Responder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class Image;
class StatusItem;
class Window;

// Where a button draws its image relative to its title (platform values).
enum class ImagePosition {
    noImage = 0,
    imageOnly = 1,
    imageLeft = 2,
    imageRight = 3,
    imageBelow = 4,
    imageAbove = 5,
    imageOverlaps = 6,
    imageLeading = 7,
    imageTrailing = 8,
};

std::string describe(ImagePosition position);

// The button of a status item. It sends its action to its target on the
// mouse events of its send-action-on mask; while its item has a menu, a
// click opens the menu and sends nothing.
class StatusBarButton : public Responder {
public:
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    std::shared_ptr<Image> image() const { return image_; }
    void setImage(std::shared_ptr<Image> image) { image_ = std::move(image); }
    ImagePosition imagePosition() const { return imagePosition_; }
    void setImagePosition(ImagePosition position) { imagePosition_ = position; }
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string toolTip) { toolTip_ = std::move(toolTip); }
    const std::string& accessibilityHelp() const { return accessibilityHelp_; }
    void setAccessibilityHelp(std::string help) { accessibilityHelp_ = std::move(help); }
    bool appearsDisabled() const { return appearsDisabled_; }
    void setAppearsDisabled(bool disabled) { appearsDisabled_ = disabled; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    std::shared_ptr<Object> target() const { return target_.lock(); }
    void setTarget(const std::shared_ptr<Object>& target) { target_ = target; }
    const Selector& action() const { return action_; }
    void setAction(Selector action) { action_ = std::move(action); }
    // Which mouse events send the action (EventMask bits); returns the mask
    // it replaces. A new button sends on left-button release only.
    std::uint64_t sendActionOn(std::uint64_t mask);
    std::uint64_t sendActionMask() const { return sendActionMask_; }

    // The window the button is drawn in: absent until the run-loop turn
    // after its item was made.
    std::shared_ptr<Window> window() const { return window_; }

    std::shared_ptr<StatusItem> statusItem() const { return item_.lock(); }

    // A mouse event over the button, from the window server: opens the
    // item's menu on a button press, or sends the action when the event is
    // in the mask. Returns whether anything happened.
    bool handleMouseEvent(const Event& event);

private:
    friend class StatusItem;
    explicit StatusBarButton(std::weak_ptr<StatusItem> item) : item_(std::move(item)) {}
    void attachWindow();
    void detachWindow();

    std::string title_;
    std::shared_ptr<Image> image_;
    ImagePosition imagePosition_ = ImagePosition::imageLeft;
    std::string toolTip_;
    std::string accessibilityHelp_;
    bool appearsDisabled_ = false;
    bool enabled_ = true;
    std::weak_ptr<Object> target_;
    Selector action_;
    std::uint64_t sendActionMask_ = EventMask::leftMouseUp;
    std::shared_ptr<Window> window_;
    std::weak_ptr<StatusItem> item_;
};

} // namespace platform
