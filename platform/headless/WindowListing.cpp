#include "platform/headless/WindowListing.h"

#include "platform/appkit/ViewController.h"
#include "platform/appkit/Window.h"
#include "platform/headless/HeadlessEvent.h"
#include "platform/headless/MaskDescription.h"

#include <sstream>

namespace platform {

namespace {

const char* describe(TitlebarSeparatorStyle style) {
    switch (style) {
    case TitlebarSeparatorStyle::automatic: return "automatic";
    case TitlebarSeparatorStyle::none: return "none";
    case TitlebarSeparatorStyle::line: return "line";
    case TitlebarSeparatorStyle::shadow: return "shadow";
    }
    return "unknown";
}

} // namespace

std::string WindowListing::describeStyleMask(unsigned long long mask) {
    return MaskDescription::describe(mask,
                                     {{WindowStyleMask::titled, "titled"},
                                      {WindowStyleMask::closable, "closable"},
                                      {WindowStyleMask::miniaturizable, "miniaturizable"},
                                      {WindowStyleMask::resizable, "resizable"},
                                      {WindowStyleMask::utilityWindow, "utility"},
                                      {WindowStyleMask::nonactivatingPanel, "nonactivating"},
                                      {WindowStyleMask::hudWindow, "hud"},
                                      {WindowStyleMask::fullSizeContentView, "fullSizeContentView"}},
                                     "borderless");
}

std::string WindowListing::header(const Window& window) {
    std::ostringstream out;
    out << "window " << window.windowNumber() << " " << window.kind() << " " << quotedText(window.title());
    out << (window.isVisible() ? " visible" : " hidden");
    if (window.isKeyWindow()) {
        out << " key";
    }
    out << " level " << window.level();
    out << " size " << window.contentSize().width << "x" << window.contentSize().height;
    out << " style " << describeStyleMask(window.styleMask());
    out << " separator " << describe(window.titlebarSeparatorStyle());
    out << " background " << window.backgroundColor().describe();
    if (window.collectionBehavior() != 0) {
        out << " collection " << window.collectionBehavior();
    }
    if (window.hidesOnDeactivate()) {
        out << " hidesOnDeactivate";
    }
    if (!window.isReleasedWhenClosed()) {
        out << " keptWhenClosed";
    }
    if (!window.registeredDraggedTypes().empty()) {
        out << " drags";
        for (const auto& type : window.registeredDraggedTypes()) {
            out << " " << type;
        }
    }
    return out.str();
}

std::vector<std::string> WindowListing::lines(const Window& window) {
    std::vector<std::string> lines{header(window)};
    if (auto controller = window.contentViewController()) {
        std::istringstream content(controller->describe());
        for (std::string line; std::getline(content, line);) {
            lines.push_back("  " + line);
        }
    }
    return lines;
}

} // namespace platform
