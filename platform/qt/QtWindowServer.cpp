#include "platform/qt/QtWindowServer.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/Window.h"
#include "platform/qt/ApplicationLauncher.h"
#include "platform/qt/DesktopAppearance.h"
#include "platform/qt/MenuPopup.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/SessionApplications.h"
#include "platform/qt/StatusItemDropTarget.h"
#include "platform/qt/TrayItem.h"
#include "platform/qt/UrlOpener.h"
#include "platform/runloop/Clock.h"
#include "platform/runloop/RunLoop.h"

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>
#include <filesystem>
#include <unistd.h>

namespace platform {

namespace {

// The platform's number for an event no handler took.
constexpr int eventNotHandled = -1708;

Event mouseEvent(EventType type, std::uint64_t modifiers) {
    Event event;
    event.type = type;
    event.modifierFlags = modifiers;
    event.timestamp = Clock::current().uptime();
    return event;
}

} // namespace

QtWindowServer::QtWindowServer(std::string applicationName, std::string bundleIdentifier)
    : applicationName_(std::move(applicationName)), bundleIdentifier_(std::move(bundleIdentifier)),
      driver_([this] { syncWithModel(); }), applications_(SessionApplications::forThisSession()),
      browserPages_(BrowserPages::userFolders()),
      browserEntries_(DesktopEntryIndex::sessionFolders(), DesktopEntryIndex::messagesLocale()),
      appearance_(std::make_unique<DesktopAppearance>()),
      systemEvents_({[] { return DesktopAppearance::isDark(); },
                     [this](bool dark) { return appearance_->setDark(dark); }}),
      saveFailureNotice_(QString::fromStdString(applicationName_)),
      panelAbsenceNotice_(QString::fromStdString(applicationName_)) {}

QtWindowServer::~QtWindowServer() = default;

void QtWindowServer::start() {
    // The application is active while one of its windows has the desktop's focus.
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp, [this](Qt::ApplicationState state) {
        auto& application = Application::shared();
        if (state == Qt::ApplicationActive && !application.isActive()) {
            act(mouseEvent(EventType::leftMouseDown, 0), [&application] { application.activate(); });
        } else if (state != Qt::ApplicationActive && application.isActive()) {
            act(mouseEvent(EventType::leftMouseDown, 0), [&application] { application.deactivate(); });
        }
    });
    driver_.turn();
}

void QtWindowServer::act(const Event& event, const std::function<void()>& change) {
    Application::shared().dispatch(event, change);
    // The widget that asked may be replaced by what the change rebuilds, so
    // the windows catch up on a later pass of Qt's loop, not inside its signal.
    driver_.turnSoon();
}

void QtWindowServer::syncWithModel() {
    syncStatusItems();
    syncWindows();
}

void QtWindowServer::syncWindows() {
    for (auto& window : windows_) {
        if (window->isGone()) {
            window->hide();
            window.release()->deleteLater();
        }
    }
    std::erase(windows_, nullptr);
    for (const auto& window : Application::shared().windows()) {
        // A status item's own window is part of its tray icon.
        if (window->kind() == "status bar window" || !window->isVisible()) {
            continue;
        }
        if (std::none_of(windows_.begin(), windows_.end(), [&](const auto& shown) { return shown->shows(*window); })) {
            windows_.push_back(std::make_unique<QtWindow>(
                window, [this](const Event& event, const std::function<void()>& change) { act(event, change); }));
        }
    }
    for (const auto& window : windows_) {
        window->sync();
    }
}

bool QtWindowServer::perform(const LaunchRequest& request) {
    bool accepted = false;
    switch (request.kind) {
    case LaunchRequest::Kind::dropURL:
        accepted = drop(Pasteboard::forLink(request.target, request.title));
        break;
    case LaunchRequest::Kind::dropFile:
        accepted = drop(Pasteboard::forFile(URL::fileURL(request.target)));
        break;
    case LaunchRequest::Kind::openURL:
        if (auto url = URL::fromString(request.target); url && url->scheme() &&
                                                        Application::shared().handlesURLScheme(*url->scheme())) {
            Application::shared().openURLs({*url});
            accepted = true;
        }
        break;
    }
    driver_.turn();
    return accepted;
}

void QtWindowServer::bringForward() {
    for (const auto& window : windows_) {
        if (window->isVisible()) {
            window->raise();
            window->activateWindow();
        }
    }
    for (const auto& tray : trayItems_) {
        tray->bringForward();
    }
}

bool QtWindowServer::drop(Pasteboard pasteboard) {
    const auto types = pasteboard.types().value_or(std::vector<PasteboardTypeName>{});
    for (const auto& item : StatusBar::system().items()) {
        auto button = item->button();
        auto window = button ? button->window() : nullptr;
        if (!window || !window->delegate() || !window->acceptsDragTypes(types)) {
            continue;
        }
        // The first window that takes such a drag has it, taken or not.
        StatusItemDropTarget target(item, nullptr);
        return target.enter(std::move(pasteboard)) && target.drop();
    }
    return false;
}

void QtWindowServer::applicationWillTerminate() {
    dismissMenu();
    syncWithModel();
}

TrayItem* QtWindowServer::trayItem(const StatusItem& item) const {
    auto found = std::find_if(trayItems_.begin(), trayItems_.end(),
                              [&](const auto& tray) { return tray->shows(item); });
    return found == trayItems_.end() ? nullptr : found->get();
}

void QtWindowServer::syncStatusItems() {
    std::erase_if(trayItems_, [](const auto& tray) { return tray->isGone(); });
    for (const auto& item : StatusBar::system().items()) {
        if (trayItem(*item) == nullptr) {
            const QString placeKey = QString::fromStdString(bundleIdentifier_) + QStringLiteral("/") +
                                     QString::number(trayItems_.size());
            trayItems_.push_back(std::make_unique<TrayItem>(
                item, placeKey,
                [this](StatusItem& clicked, EventType press, EventType release, std::uint64_t modifiers) {
                    click(clicked, press, release, modifiers);
                },
                [this] { driver_.turnSoon(); }));
        }
    }
    saveFailureNotice_.sync();
    std::vector<QRect> chips;
    for (const auto& tray : trayItems_) {
        tray->sync(saveFailureNotice_.toolTipLine());
        if (const QRect chip = tray->dropChipGeometry(); !chip.isEmpty()) {
            chips.push_back(chip);
        }
    }
    if (!trayItems_.empty()) {
        panelAbsenceNotice_.check(chips);
    }
}

void QtWindowServer::click(StatusItem& item, EventType press, EventType release, std::uint64_t modifiers) {
    // A click while the menu is open only closes it, as on the platform.
    if (openMenu_) {
        dismissMenu();
        return;
    }
    auto button = item.button();
    if (!button) {
        return;
    }
    auto& application = Application::shared();
    const Event down = mouseEvent(press, modifiers);
    application.dispatch(down, [&] { button->handleMouseEvent(down); });
    RunLoop::main().runUntilIdle();
    // While the menu that the press opened tracks, it takes the release.
    if (!openMenu_ && !application.isTerminated()) {
        const Event up = mouseEvent(release, modifiers);
        application.dispatch(up, [&] { button->handleMouseEvent(up); });
    }
    driver_.turn();
}

void QtWindowServer::popUpStatusItemMenu(StatusItem& item) {
    auto menu = item.menu();
    if (!menu) {
        return;
    }
    dismissMenu();
    openMenu_ = std::make_unique<MenuPopup>(menu, [this] {
        // The popup is still on the stack of this call: Qt deletes it later.
        if (openMenu_) {
            openMenu_.release()->deleteLater();
        }
        driver_.turnSoon();
    });
    const TrayItem* tray = trayItem(item);
    const QRect place = tray ? tray->geometry() : QRect();
    openMenu_->popUp(place.isEmpty() ? QCursor::pos() : place.bottomLeft());
}

void QtWindowServer::dismissMenu() {
    if (openMenu_) {
        openMenu_->dismiss();
    }
}

bool QtWindowServer::openURL(const URL& url) {
    if (url.isFileURL()) {
        std::error_code error;
        if (!std::filesystem::exists(url.path(), error)) {
            return false;
        }
        if (auto launched = ApplicationLauncher::launch(url.path())) {
            return *launched;
        }
    }
    return UrlOpener::open(url.absoluteString());
}

std::vector<RunningApplication> QtWindowServer::runningApplications() const {
    auto applications = applications_->running();
    // A program with only a tray icon has no window the window manager lists.
    const int self = static_cast<int>(::getpid());
    if (std::none_of(applications.begin(), applications.end(),
                     [&](const auto& application) { return application.processIdentifier == self; })) {
        RunningApplication program;
        program.localizedName = applicationName_;
        if (!bundleIdentifier_.empty()) {
            program.bundleIdentifier = bundleIdentifier_;
        }
        program.processIdentifier = self;
        applications.push_back(std::move(program));
    }
    return applications;
}

std::optional<RunningApplication> QtWindowServer::frontmostApplication() const {
    // The lock screen is in front while it shows, whatever window was before it.
    if (sessionLock_.isLocked()) {
        RunningApplication lockScreen;
        lockScreen.localizedName = SessionLock::lockScreenName.toStdString();
        return lockScreen;
    }
    return applications_->frontmost();
}

std::optional<BrowserPage> QtWindowServer::frontmostBrowserPage() const {
    if (sessionLock_.isLocked()) {
        return std::nullopt;
    }
    const auto window = applications_->frontWindow();
    return window ? browserPages_.pageIn(*window) : std::nullopt;
}

bool QtWindowServer::isWebBrowser(const std::string& applicationName) const {
    return browserEntries_.namesWebBrowser(applicationName);
}

void QtWindowServer::playSound(const std::string& name) { sounds_.play(name); }

ScriptResult QtWindowServer::executeScript(const std::string& targetApplication, const std::string& source) {
    if (targetApplication == SystemEvents::applicationName) {
        return systemEvents_.run(source);
    }
    return ScriptResult::failure("This desktop cannot carry out scripts.", eventNotHandled, targetApplication);
}

} // namespace platform
