#include "platform/qt/kde/KWinScriptApplications.h"

#include "platform/foundation/Environment.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QFile>

#include <unistd.h>

namespace platform {

namespace {

constexpr const char* kwinService = "org.kde.KWin";
constexpr const char* scriptingPath = "/Scripting";
constexpr const char* scriptingInterface = "org.kde.kwin.Scripting";
// KWin answers at once; one that does not is taken as absent.
constexpr int kwinAnswerMilliseconds = 1000;

QDBusMessage callScripting(const QDBusConnection& bus, const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kwinService), QLatin1String(scriptingPath),
                                                       QLatin1String(scriptingInterface), method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, kwinAnswerMilliseconds);
}

// Where the script is written for KWin to read: the session's private
// runtime folder, else the temporary folder.
QString scriptFolder() {
    const std::string runtime = environmentValue("XDG_RUNTIME_DIR");
    return runtime.empty() ? QDir::tempPath() : QString::fromStdString(runtime);
}

} // namespace

QString KWinScriptApplications::scriptText(const QString& busName) {
    // ECMAScript 5 throughout: Plasma 5 runs scripts in QtScript. Plasma 6
    // renamed the client signals and properties to windows.
    QString text = QStringLiteral(R"js(// Reports the window in front to the program that loaded this script.
var service = "%1";
var followed = null;

function report(window) {
    if (window) {
        callDBus(service, "%2", "%3", "Activated",
                 String(window.resourceClass), String(window.pid), String(window.caption));
    } else {
        callDBus(service, "%2", "%3", "Activated", "", "0", "");
    }
}

function reportFollowed() {
    report(followed);
}

function follow(window) {
    if (followed) {
        followed.captionChanged.disconnect(reportFollowed);
    }
    followed = window;
    if (followed) {
        followed.captionChanged.connect(reportFollowed);
    }
    report(window);
}

if (workspace.windowActivated !== undefined) {
    workspace.windowActivated.connect(follow);
    follow(workspace.activeWindow);
} else {
    workspace.clientActivated.connect(follow);
    follow(workspace.activeClient);
}
)js");
    return text.arg(busName, QLatin1String(FrontWindowReports::objectPath),
                    QLatin1String(FrontWindowReports::interfaceName));
}

std::unique_ptr<KWinScriptApplications> KWinScriptApplications::connect() {
    if (!inWaylandSessionWith(kwinService)) {
        return nullptr;
    }
    std::unique_ptr<KWinScriptApplications> applications(new KWinScriptApplications());
    if (!applications->load()) {
        return nullptr;
    }
    return applications;
}

KWinScriptApplications::KWinScriptApplications()
    : pluginName_(QStringLiteral("dev.menulets.front-window.%1").arg(::getpid())) {}

bool KWinScriptApplications::load() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!reports().receiveCallsOn(bus)) {
        return false;
    }
    scriptPath_ = scriptFolder() + QLatin1Char('/') + pluginName_ + QStringLiteral(".js");
    QFile script(scriptPath_);
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        script.write(scriptText(bus.baseService()).toUtf8()) < 0 || !script.flush()) {
        return false;
    }
    script.close();
    const QDBusReply<int> id = callScripting(bus, QStringLiteral("loadScript"), {scriptPath_, pluginName_});
    if (!id.isValid() || id.value() < 0) {
        QFile::remove(scriptPath_);
        return false;
    }
    loaded_ = true;
    // Runs what is loaded and not yet running: the script's own object has
    // moved between Plasma versions, this call has not.
    callScripting(bus, QStringLiteral("start"));
    return true;
}

KWinScriptApplications::~KWinScriptApplications() {
    if (loaded_) {
        callScripting(QDBusConnection::sessionBus(), QStringLiteral("unloadScript"), {pluginName_});
    }
    if (!scriptPath_.isEmpty()) {
        QFile::remove(scriptPath_);
    }
}

} // namespace platform
