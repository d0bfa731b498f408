#pragma once

#include "platform/combine/ObservableObject.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/views/Binding.h"

#include <memory>
#include <string_view>

namespace Talkclock {

// The timer's four values, kept in the user defaults and read from and
// written to them on every access, so every view of the process (the panel,
// the settings window) sees the same values. Every write is announced first,
// so the views that watch it are rebuilt. Main thread only.
class TimerDefaults : public platform::ObservableObject, public std::enable_shared_from_this<TimerDefaults> {
public:
    static constexpr std::string_view accumulatedKey = "Talkclock.accumulated";
    static constexpr std::string_view targetKey = "Talkclock.target";
    static constexpr std::string_view runningKey = "Talkclock.running";
    static constexpr std::string_view showTitleKey = "Talkclock.showTitle";

    static constexpr double defaultAccumulated = 0;
    static constexpr double defaultTarget = 600;
    static constexpr bool defaultRunning = false;
    static constexpr bool defaultShowTitle = false;

    // The one instance over the program's standard defaults that every view shares.
    static const std::shared_ptr<TimerDefaults>& standard();

    static std::shared_ptr<TimerDefaults> make(platform::UserDefaults& defaults);

    // Seconds counted so far.
    double accumulated() const;
    void setAccumulated(double seconds);
    // The length of the count, in seconds.
    double target() const;
    void setTarget(double seconds);
    // Whether ticks advance the count.
    bool running() const;
    void setRunning(bool running);
    // Whether the panel shows its title line.
    bool showTitle() const;
    void setShowTitle(bool show);

    // Two-way connections for views; each keeps this object alive.
    platform::Binding<double> accumulatedBinding();
    platform::Binding<double> targetBinding();
    platform::Binding<bool> showTitleBinding();

private:
    explicit TimerDefaults(platform::UserDefaults& defaults) : defaults_(defaults) {}

    // A missing value, or one that is not a finite number, gives `fallback`.
    double storedNumber(std::string_view key, double fallback) const;
    // A missing value, or one that is not a Boolean, gives `fallback`.
    bool storedBoolean(std::string_view key, bool fallback) const;
    template <typename Value>
    void store(Value value, std::string_view key);

    platform::UserDefaults& defaults_;
};

} // namespace Talkclock
