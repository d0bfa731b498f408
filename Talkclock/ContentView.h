#pragma once

#include "Talkclock/Alarm.h"
#include "Talkclock/TargetCurve.h"
#include "Talkclock/TimerDefaults.h"

#include "platform/combine/TimerPublisher.h"
#include "platform/views/Component.h"
#include "platform/views/ObservedObject.h"
#include "platform/views/State.h"
#include "platform/views/View.h"

#include <memory>
#include <optional>

namespace Talkclock {

// The count-down: the remaining time, the slider that picks the target, and
// Start/Stop and Reset. The count is a tally of ticks, one second each, so
// time without ticks (the program not running, the computer asleep) is never
// counted. The root of the panel and of the window group's window.
class ContentView : public platform::Component {
public:
    static constexpr double max = TargetCurve::max;

    explicit ContentView(std::shared_ptr<TimerDefaults> defaults = TimerDefaults::standard(), Alarm alarm = Alarm());

    double accumulated() const { return defaults_->accumulated(); }
    double target() const { return defaults_->target(); }
    bool running() const { return defaults_->running(); }
    bool showTitle() const { return defaults_->showTitle(); }
    double sliderValue() const { return sliderValue_; }

    // One second: counted while running, and the alarm when the count lands
    // exactly on the target. While stopped the first tick ends the ticker.
    void tick();
    void startTimer();
    // The current ticker delivers one more tick, which ends it.
    void stopTimer();
    // Stops and clears the count; the target stays.
    void resetTimer();

    platform::View body() override;

private:
    platform::View controls();
    static platform::TimerPublisher makeTicker();

    platform::ObservedObject<TimerDefaults> defaults_;
    // Until the controls first show, a placeholder that only the slider's
    // position for the stored target replaces.
    platform::State<double> sliderValue_{this, 600};
    // Present from creation and from each Start until a tick finds the timer stopped.
    platform::State<std::optional<platform::TimerPublisher>> ticker_{this, makeTicker()};
    Alarm alarm_;
};

} // namespace Talkclock
