#include "platform/appkit/Application.h"

#include "platform/appkit/Backend.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/SaveFailures.h"
#include "platform/foundation/AsciiCase.h"
#include "platform/foundation/URL.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

Application& Application::shared() {
    static std::shared_ptr<Application> application(new Application());
    return *application;
}

Application::Application() {
    addAction("terminate:", [this](Object* sender) { terminate(sender); });
}

std::vector<std::shared_ptr<Window>> Application::windows() const { return windows_; }

std::shared_ptr<Window> Application::keyWindow() const { return keyWindow_.lock(); }

void Application::dispatch(const Event& event, const std::function<void()>& handle) {
    currentEvent_ = event;
    if (handle) {
        handle();
    }
}

Object* Application::targetForAction(const Selector& selector, Object* target) const {
    if (target != nullptr) {
        return target->respondsTo(selector) ? target : nullptr;
    }
    if (auto key = keyWindow()) {
        if (Responder* responder = key->firstResponderTo(selector)) {
            return responder;
        }
        if (auto* delegate = dynamic_cast<Object*>(key->delegate().get()); delegate && delegate->respondsTo(selector)) {
            return delegate;
        }
    }
    auto* self = const_cast<Application*>(this);
    if (Responder* responder = self->firstResponderTo(selector)) {
        return responder;
    }
    if (auto* delegate = dynamic_cast<Object*>(delegate_.get()); delegate && delegate->respondsTo(selector)) {
        return delegate;
    }
    return nullptr;
}

bool Application::sendAction(const Selector& selector, Object* target, Object* sender) {
    if (selector.empty()) {
        return false;
    }
    Object* receiver = targetForAction(selector, target);
    if (receiver == nullptr) {
        return false;
    }
    // The receiver may let go of itself while it runs (a window closing).
    auto keepAlive = receiver->weak_from_this().lock();
    return receiver->perform(selector, sender);
}

void Application::finishLaunching(const std::function<void()>& openScenes) {
    if (delegate_) {
        delegate_->applicationWillFinishLaunching();
    }
    if (openScenes) {
        openScenes();
    }
    if (delegate_) {
        delegate_->applicationDidFinishLaunching();
    }
    activate();
}

void Application::activate() {
    if (active_ || terminated_) {
        return;
    }
    if (delegate_) {
        delegate_->applicationWillBecomeActive();
    }
    active_ = true;
    for (const auto& window : windows()) {
        window->applicationWillBecomeActive();
    }
    if (auto* backend = Backend::installed()) {
        backend->applicationActivationChanged(true);
    }
    if (delegate_) {
        delegate_->applicationDidBecomeActive();
    }
}

void Application::deactivate() {
    if (!active_ || terminated_) {
        return;
    }
    if (delegate_) {
        delegate_->applicationWillResignActive();
    }
    active_ = false;
    for (const auto& window : windows()) {
        window->applicationDidResignActive();
    }
    if (auto* backend = Backend::installed()) {
        backend->applicationActivationChanged(false);
    }
    if (delegate_) {
        delegate_->applicationDidResignActive();
    }
}

void Application::terminate(Object*) {
    if (terminated_) {
        return;
    }
    terminated_ = true;
    if (delegate_) {
        delegate_->applicationWillTerminate();
    }
    UserDefaults::standard().synchronize();
    if (auto* backend = Backend::installed()) {
        backend->applicationWillTerminate();
    }
    // Data that never reached its file must not end as a success.
    const int status = SaveFailures::any() ? 1 : 0;
    if (exitHandler_) {
        exitHandler_(status);
    } else {
        std::exit(status);
    }
}

bool Application::handlesURLScheme(const std::string& scheme) const {
    const std::string wanted = asciiLowercased(scheme);
    return std::any_of(urlSchemes_.begin(), urlSchemes_.end(),
                       [&](const std::string& own) { return asciiLowercased(own) == wanted; });
}

void Application::openURLs(const std::vector<URL>& urls) {
    if (urls.empty()) {
        return;
    }
    if (delegate_) {
        delegate_->applicationOpenURLs(urls);
    }
    if (urlHandler_) {
        for (const auto& url : urls) {
            urlHandler_(url);
        }
    }
}

void Application::addWindow(const std::shared_ptr<Window>& window) {
    if (window && std::find(windows_.begin(), windows_.end(), window) == windows_.end()) {
        auto position = std::find_if(windows_.begin(), windows_.end(), [&](const std::shared_ptr<Window>& other) {
            return other->windowNumber() > window->windowNumber();
        });
        windows_.insert(position, window);
    }
}

void Application::removeWindow(const Window& window) {
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [&](const std::shared_ptr<Window>& other) { return other.get() == &window; }),
                   windows_.end());
}

void Application::windowBecameKey(Window* window) {
    auto previous = keyWindow_.lock();
    if (previous.get() == window) {
        return;
    }
    if (previous) {
        previous->resignKeyWindow();
    }
    if (window != nullptr) {
        keyWindow_ = std::static_pointer_cast<Window>(window->shared_from_this());
    }
}

void Application::windowResignedKey(Window* window) {
    if (keyWindow_.lock().get() == window) {
        keyWindow_.reset();
    }
}

void Application::reset() {
    // Moved out first: what they own may call back into the application
    // (windows leaving the list) while it goes away.
    auto delegate = std::move(delegate_);
    auto windows = std::move(windows_);
    auto exitHandler = std::move(exitHandler_);
    auto urlHandler = std::move(urlHandler_);
    delegate_.reset();
    windows_.clear();
    keyWindow_.reset();
    currentEvent_.reset();
    exitHandler_ = {};
    urlSchemes_.clear();
    urlHandler_ = {};
    active_ = false;
    terminated_ = false;
    removeAction("showPreferencesWindow:");
    removeAction("showSettingsWindow:");
    delegate.reset();
    for (const auto& window : windows) {
        window->close();
    }
    windows.clear();
    windows_.clear();
}

} // namespace platform
