#include "platform/headless/StatusItemSnapshot.h"

#include "platform/appkit/Image.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/Window.h"
#include "platform/headless/MaskDescription.h"
#include "platform/headless/TypeList.h"


namespace platform {

namespace {

std::string describeMask(std::uint64_t mask) {
    return MaskDescription::describe(mask,
                                     {{EventMask::leftMouseDown, "leftMouseDown"},
                                      {EventMask::leftMouseUp, "leftMouseUp"},
                                      {EventMask::rightMouseDown, "rightMouseDown"},
                                      {EventMask::rightMouseUp, "rightMouseUp"},
                                      {EventMask::keyDown, "keyDown"}},
                                     "none");
}

} // namespace

StatusItemSnapshot StatusItemSnapshot::of(const StatusItem& item) {
    StatusItemSnapshot snapshot;
    auto& fields = snapshot.fields_;
    fields.emplace_back("length", item.describeLength());
    fields.emplace_back("visible", item.isVisible());
    auto menu = item.menu();
    fields.emplace_back("menu", menu ? menu->title() : std::string("none"));
    auto button = item.button();
    if (!button) {
        return snapshot;
    }
    fields.emplace_back("title", button->title());
    auto image = button->image();
    fields.emplace_back("image", image ? image->describe() : std::string("none"));
    fields.emplace_back("imageAccessibility", image ? image->accessibilityDescription() : std::string());
    fields.emplace_back("imagePosition", platform::describe(button->imagePosition()));
    fields.emplace_back("toolTip", button->toolTip());
    fields.emplace_back("accessibilityHelp", button->accessibilityHelp());
    fields.emplace_back("appearsDisabled", button->appearsDisabled());
    fields.emplace_back("action", button->action().empty() ? std::string("none") : button->action());
    fields.emplace_back("target", button->target() ? std::string("set") : std::string("none"));
    fields.emplace_back("sendActionOn", describeMask(button->sendActionMask()));
    auto window = button->window();
    fields.emplace_back("window", window ? static_cast<long long>(window->windowNumber()) : 0LL);
    fields.emplace_back("draggedTypes", window ? typeList(window->registeredDraggedTypes()) : std::string());
    return snapshot;
}

std::vector<std::pair<std::string, HeadlessEvent::Value>>
StatusItemSnapshot::changesSince(const StatusItemSnapshot& earlier) const {
    std::vector<std::pair<std::string, HeadlessEvent::Value>> changes;
    for (const auto& field : fields_) {
        bool same = false;
        for (const auto& old : earlier.fields_) {
            if (old.first == field.first) {
                same = old.second == field.second;
                break;
            }
        }
        if (!same) {
            changes.push_back(field);
        }
    }
    return changes;
}

std::string StatusItemSnapshot::describe() const {
    std::string out;
    for (const auto& [key, value] : fields_) {
        out += key + ": " + describeValue(value) + "\n";
    }
    return out;
}

} // namespace platform
