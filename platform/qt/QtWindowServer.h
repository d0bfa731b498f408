#pragma once

#include "platform/appkit/Backend.h"
#include "platform/appkit/Event.h"
#include "platform/appkit/Pasteboard.h"
#include "platform/appkit/SystemEvents.h"
#include "platform/console/LaunchRequest.h"
#include "platform/qt/DesktopEntryIndex.h"
#include "platform/qt/PanelAbsenceNotice.h"
#include "platform/qt/QtRunLoopDriver.h"
#include "platform/qt/SaveFailureNotice.h"
#include "platform/qt/SessionLock.h"
#include "platform/qt/SoundTheme.h"
#include "platform/qt/browsers/BrowserPages.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

class DesktopAppearance;
class MenuPopup;
class QtWindow;
class SessionApplications;
class TrayItem;

// The desktop backend: status items as tray icons, their menus as popups,
// and the outside world as the desktop offers it. It owns every Qt object
// it shows; the model objects it refers to only weakly. After each turn of
// the run loop it brings the tray up to date with the status bar.
class QtWindowServer final : public Backend {
public:
    // `applicationName` names this program among the running applications.
    QtWindowServer(std::string applicationName, std::string bundleIdentifier);
    ~QtWindowServer() override;

    // Runs the first turn; from then on the run loop runs in Qt's.
    void start();
    // Carries out a request from the command line as the user's drop or
    // opened URL would be; false when the program takes none such.
    bool perform(const LaunchRequest& request);
    // Shows the program where the person looks for it, after they started it
    // again: its shown windows raised, its drop chips back on screen.
    void bringForward();

    // Backend.
    void applicationWillTerminate() override;
    void popUpStatusItemMenu(StatusItem& item) override;
    bool openURL(const URL& url) override;
    std::vector<RunningApplication> runningApplications() const override;
    std::optional<RunningApplication> frontmostApplication() const override;
    std::optional<BrowserPage> frontmostBrowserPage() const override;
    bool isWebBrowser(const std::string& applicationName) const override;
    void playSound(const std::string& name) override;
    ScriptResult executeScript(const std::string& targetApplication, const std::string& source) override;

private:
    // After each turn: the tray and the windows as the model has them now.
    void syncWithModel();
    // Makes, updates and drops tray icons to match the status bar.
    void syncStatusItems();
    // Makes, updates and drops windows to match the application's.
    void syncWindows();
    // What the person did in a window, handed to the model.
    void act(const Event& event, const std::function<void()>& change);
    void click(StatusItem& item, EventType press, EventType release, std::uint64_t modifiers);
    void dismissMenu();
    // A drop on the first status item whose button window takes its types.
    bool drop(Pasteboard pasteboard);
    TrayItem* trayItem(const StatusItem& item) const;

    std::string applicationName_;
    std::string bundleIdentifier_;
    QtRunLoopDriver driver_;
    std::vector<std::unique_ptr<TrayItem>> trayItems_;
    std::vector<std::unique_ptr<QtWindow>> windows_;
    std::unique_ptr<MenuPopup> openMenu_;
    SoundTheme sounds_;
    // Asked from const queries; it keeps its desktop entry index warm.
    std::unique_ptr<SessionApplications> applications_;
    SessionLock sessionLock_;
    // Asked from const queries too; each keeps what it read warm.
    mutable BrowserPages browserPages_;
    mutable DesktopEntryIndex browserEntries_;
    std::unique_ptr<DesktopAppearance> appearance_;
    SystemEvents systemEvents_;
    SaveFailureNotice saveFailureNotice_;
    PanelAbsenceNotice panelAbsenceNotice_;
};

} // namespace platform
