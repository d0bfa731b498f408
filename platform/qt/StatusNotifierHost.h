#pragma once

#include <QColor>
#include <QDBusServiceWatcher>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace platform {

class SwayBarColours;

// The status-notifier panel that shows this program's items, told by the
// process that owns the watcher's name, and what is known of its colours.
// The protocol itself says nothing of them, yet the hosts differ: Plasma
// recolours a themed symbolic icon in its own text colour, GNOME Shell's
// top bar is dark whatever the desktop's preference, and sway's bar has the
// colours of its configuration, which sway tells.
class StatusNotifierHost final : public QObject {
public:
    enum class Kind { plasma, gnomeShell, swaybar, other };

    // `changed` is called when another host takes over or the known
    // colours change.
    explicit StatusNotifierHost(std::function<void()> changed);
    ~StatusNotifierHost() override;

    Kind kind() const { return kind_; }
    // Whether the host draws a themed symbolic icon in its own colours.
    bool recoloursSymbolicIcons() const { return kind_ == Kind::plasma; }
    // The colour a symbol stands out in on this host's panel, where the
    // host makes it known; nothing where only the desktop's preference can
    // tell.
    std::optional<QColor> symbolColour() const;

    // Which host a watcher process is, by its command name (/proc/PID/comm).
    static Kind kindOfProcess(const QString& commandName);
    // The bar a swaybar process draws, from its command line ("-b ID" or
    // "--bar_id=ID", as sway starts it), given NUL-separated as /proc has it.
    static QString swayBarId(const QByteArray& commandLine);

private:
    void identify();

    std::function<void()> changed_;
    QDBusServiceWatcher watcher_;
    Kind kind_ = Kind::other;
    std::unique_ptr<SwayBarColours> swayBar_;
};

} // namespace platform
