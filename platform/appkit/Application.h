#pragma once

#include "platform/appkit/ApplicationDelegate.h"
#include "platform/appkit/Event.h"
#include "platform/appkit/Responder.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class URL;

class Window;

// The one application object of the process: its windows, its delegate,
// the event being handled, actions up the responder chain, termination.
class Application : public Responder {
public:
    static Application& shared();

    std::shared_ptr<ApplicationDelegate> delegate() const { return delegate_; }
    // The application keeps its delegate for its whole life.
    void setDelegate(std::shared_ptr<ApplicationDelegate> delegate) { delegate_ = std::move(delegate); }

    // Windows not closed, in the order they were made.
    std::vector<std::shared_ptr<Window>> windows() const;
    std::shared_ptr<Window> keyWindow() const;

    // The event being handled (the last one delivered); absent before any.
    std::optional<Event> currentEvent() const { return currentEvent_; }
    // Delivers an event: it is the current event while `handle` runs.
    void dispatch(const Event& event, const std::function<void()>& handle);

    // The object that would receive an action: the target if it answers it;
    // without a target the first of the key window (and its responders), the
    // key window's delegate, the application and its delegate that answers it.
    Object* targetForAction(const Selector& selector, Object* target) const;
    // Sends the action to that object; false when no one answers it.
    bool sendAction(const Selector& selector, Object* target, Object* sender);

    // Launching: runs will-finish, then the launch work (the scenes open
    // their windows), then did-finish, then makes the application active.
    void finishLaunching(const std::function<void()>& openScenes = {});

    bool isActive() const { return active_; }
    void activate();
    void deactivate();

    // Tells the delegate, writes the user defaults out and ends the process
    // with status 0 (through the exit handler).
    void terminate(Object* sender);
    bool isTerminated() const { return terminated_; }
    // Tests and the console replace std::exit to watch the end.
    void setExitHandler(std::function<void(int status)> handler) { exitHandler_ = std::move(handler); }

    // URL schemes of this program; the workspace routes their URLs back here.
    void setURLSchemes(std::vector<std::string> schemes) { urlSchemes_ = std::move(schemes); }
    bool handlesURLScheme(const std::string& scheme) const;
    // Called by the scenes to open windows for external URLs.
    void setURLHandler(std::function<void(const URL&)> handler) { urlHandler_ = std::move(handler); }
    // Delivers URLs opened for this program: the delegate, then the scenes.
    void openURLs(const std::vector<URL>& urls);

    // The window list; windows keep it up to date as they are made, shown
    // and closed.
    void addWindow(const std::shared_ptr<Window>& window);
    void removeWindow(const Window& window);
    void windowBecameKey(Window* window);
    void windowResignedKey(Window* window);

    // Forgets windows, delegate and state (each test starts a new application).
    void reset();

private:
    Application();

    std::shared_ptr<ApplicationDelegate> delegate_;
    std::vector<std::shared_ptr<Window>> windows_;
    std::weak_ptr<Window> keyWindow_;
    std::optional<Event> currentEvent_;
    std::function<void(int)> exitHandler_;
    std::vector<std::string> urlSchemes_;
    std::function<void(const URL&)> urlHandler_;
    bool active_ = false;
    bool terminated_ = false;
};

} // namespace platform
