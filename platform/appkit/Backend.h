#pragma once

#include "platform/appkit/BrowserPage.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Menu;
class StatusItem;
class URL;
class Window;
struct RunningApplication;
struct ScriptResult;

// What shows the model to the user and stands for the rest of the system:
// the headless window server, or a desktop. The model tells it what
// changed; it answers for the world outside the program (other
// applications, URL handlers, sounds, scriptable applications).
class Backend {
public:
    virtual ~Backend() = default;

    // The backend in use; null before one is installed (nothing is shown and
    // the outside world does not answer).
    static Backend* installed();
    static void install(std::shared_ptr<Backend> backend);

    // The model's news. Changes of status items and window properties are
    // not announced: a backend compares what it shows with the model when it
    // draws.
    virtual void windowShown(Window&) {}
    virtual void windowHidden(Window&) {}
    virtual void windowClosed(Window&) {}
    virtual void applicationActivationChanged(bool /*active*/) {}
    virtual void applicationWillTerminate() {}

    // A click on a status item with a menu: the backend shows the menu and
    // tracks it until an entry is chosen or the menu is dismissed.
    virtual void popUpStatusItemMenu(StatusItem& item) = 0;

    // The outside world.
    // Hands a URL to the application registered for it; false if none.
    virtual bool openURL(const URL& url) = 0;
    virtual std::vector<RunningApplication> runningApplications() const = 0;
    virtual std::optional<RunningApplication> frontmostApplication() const = 0;
    // The page in front when the frontmost application is a web browser whose
    // open pages this desktop reads from the browser's own files; nothing
    // for any other application.
    virtual std::optional<BrowserPage> frontmostBrowserPage() const { return std::nullopt; }
    // Whether the installed application of this name is a web browser.
    virtual bool isWebBrowser(const std::string& /*applicationName*/) const { return false; }
    // Plays a system sound; may be called from any thread.
    virtual void playSound(const std::string& name) = 0;
    // Runs a compiled script addressed to an application (empty name: no
    // tell block).
    virtual ScriptResult executeScript(const std::string& targetApplication, const std::string& source) = 0;
};

} // namespace platform
