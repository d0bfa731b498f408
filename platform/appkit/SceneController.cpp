#include "platform/appkit/SceneController.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/ViewController.h"
#include "platform/appkit/Window.h"
#include "platform/foundation/URL.h"

namespace platform {

SceneController::SceneController(std::string applicationName, std::vector<Scene> scenes)
    : applicationName_(std::move(applicationName)), scenes_(std::move(scenes)), groupWindows_(scenes_.size()) {}

bool SceneController::hasSettings() const {
    for (const auto& scene : scenes_) {
        if (std::holds_alternative<Settings>(scene)) {
            return true;
        }
    }
    return false;
}

void SceneController::install() {
    auto& application = Application::shared();
    if (hasSettings()) {
        application.addAction("showPreferencesWindow:", [this](Object*) { showSettings(); });
        application.addAction("showSettingsWindow:", [this](Object*) { showSettings(); });
    }
    application.setURLHandler([this](const URL& url) { handleURL(url); });
}

void SceneController::openLaunchWindows() {
    for (std::size_t index = 0; index < scenes_.size(); ++index) {
        if (std::holds_alternative<WindowGroup>(scenes_[index])) {
            openWindow(index)->makeKeyAndOrderFront();
            return;
        }
    }
}

std::shared_ptr<Window> SceneController::openWindow(std::size_t groupIndex) {
    const auto& group = std::get<WindowGroup>(scenes_[groupIndex]);
    std::shared_ptr<ViewController> content = group.content() ? group.content()() : nullptr;
    auto window = Window::make();
    window->setTitle(group.title().empty() ? applicationName_ : group.title());
    if (group.style() == WindowStyle::hiddenTitleBar) {
        window->setStyleMask(window->styleMask() | WindowStyleMask::fullSizeContentView);
    }
    if (content) {
        window->setContentViewController(std::move(content));
    }
    // Closed windows are forgotten as new ones open, so that a program that
    // opens a window every few minutes for months never scans all it ever had.
    auto& windows = groupWindows_[groupIndex];
    std::erase_if(windows, [](const std::weak_ptr<Window>& held) {
        auto open = held.lock();
        return !open || open->isClosed();
    });
    windows.push_back(window);
    return window;
}

void SceneController::handleURL(const URL& url) {
    const std::string text = url.absoluteString();
    std::optional<std::size_t> chosen;
    for (std::size_t index = 0; index < scenes_.size() && !chosen; ++index) {
        if (auto* group = std::get_if<WindowGroup>(&scenes_[index]); group && group->matches(text)) {
            chosen = index;
        }
    }
    // No group claims the URL: the first one takes it.
    for (std::size_t index = 0; index < scenes_.size() && !chosen; ++index) {
        if (std::holds_alternative<WindowGroup>(scenes_[index])) {
            chosen = index;
        }
    }
    if (!chosen) {
        return;
    }
    for (const auto& held : groupWindows_[*chosen]) {
        if (auto window = held.lock(); window && !window->isClosed()) {
            window->makeKeyAndOrderFront();
            return;
        }
    }
    openWindow(*chosen)->makeKeyAndOrderFront();
}

void SceneController::showSettings() {
    if (!settingsWindow_) {
        for (const auto& scene : scenes_) {
            if (const auto* settings = std::get_if<Settings>(&scene)) {
                settingsWindow_ = Window::make();
                settingsWindow_->setTitle(applicationName_ + " Preferences");
                settingsWindow_->setStyleMask(WindowStyleMask::titled | WindowStyleMask::closable);
                settingsWindow_->setReleasedWhenClosed(false);
                if (settings->content()) {
                    settingsWindow_->setContentViewController(settings->content()());
                }
                break;
            }
        }
    }
    if (settingsWindow_) {
        settingsWindow_->makeKeyAndOrderFront();
    }
}

} // namespace platform
