#include "platform/qt/StatusNotifierHost.h"

#include "platform/qt/PanelContrast.h"
#include "platform/qt/sway/SwayBarColours.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>

namespace platform {

namespace {

const QString statusNotifierWatcherName = QStringLiteral("org.kde.StatusNotifierWatcher");

QByteArray procFile(uint pid, const char* name) {
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// How long the first drawing waits for sway to tell its bar's colours: a
// local socket answers at once, unless sway is stuck.
constexpr int swayAnswerMilliseconds = 300;

} // namespace

StatusNotifierHost::StatusNotifierHost(std::function<void()> changed)
    : changed_(std::move(changed)),
      watcher_(statusNotifierWatcherName, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForOwnerChange) {
    connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        identify();
        changed_();
    });
    identify();
    if (swayBar_) {
        swayBar_->waitForColours(swayAnswerMilliseconds);
    }
}

StatusNotifierHost::~StatusNotifierHost() = default;

void StatusNotifierHost::identify() {
    swayBar_.reset();
    kind_ = Kind::other;
    const auto pid = QDBusConnection::sessionBus().interface()->servicePid(statusNotifierWatcherName);
    if (!pid.isValid()) {
        return;
    }
    kind_ = kindOfProcess(QString::fromUtf8(procFile(pid.value(), "comm")).trimmed());
    if (kind_ == Kind::swaybar) {
        const QString barId = swayBarId(procFile(pid.value(), "cmdline"));
        if (!barId.isEmpty()) {
            swayBar_ = std::make_unique<SwayBarColours>(barId, changed_);
        }
    }
}

std::optional<QColor> StatusNotifierHost::symbolColour() const {
    switch (kind_) {
    case Kind::gnomeShell:
        return PanelContrast::lightSymbol;
    case Kind::swaybar: {
        if (!swayBar_ || !swayBar_->background()) {
            return std::nullopt;
        }
        // The bar's own text colour, unless it was set to something that
        // does not stand out.
        const QColor background = *swayBar_->background();
        const auto text = swayBar_->text();
        if (text && PanelContrast::contrastRatio(*text, background) >= PanelContrast::minimumRatio) {
            return text;
        }
        return PanelContrast::symbolOn(background);
    }
    case Kind::plasma:
    case Kind::other:
        break;
    }
    return std::nullopt;
}

StatusNotifierHost::Kind StatusNotifierHost::kindOfProcess(const QString& commandName) {
    // Plasma's watcher lives in its daemon for modules, or in the shell.
    if (commandName == QLatin1String("plasmashell") || commandName == QLatin1String("kded5") ||
        commandName == QLatin1String("kded6")) {
        return Kind::plasma;
    }
    if (commandName == QLatin1String("gnome-shell")) {
        return Kind::gnomeShell;
    }
    if (commandName == QLatin1String("swaybar")) {
        return Kind::swaybar;
    }
    return Kind::other;
}

QString StatusNotifierHost::swayBarId(const QByteArray& commandLine) {
    const QList<QByteArray> arguments = commandLine.split('\0');
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray& argument = arguments[i];
        if ((argument == "-b" || argument == "--bar_id") && i + 1 < arguments.size()) {
            return QString::fromUtf8(arguments[i + 1]);
        }
        if (argument.startsWith("--bar_id=")) {
            return QString::fromUtf8(argument.mid(9));
        }
    }
    return {};
}

} // namespace platform
