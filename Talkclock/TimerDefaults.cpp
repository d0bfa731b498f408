#include "Talkclock/TimerDefaults.h"

#include <cmath>

namespace Talkclock {

using platform::Binding;
using platform::PropertyList;

const std::shared_ptr<TimerDefaults>& TimerDefaults::standard() {
    static const std::shared_ptr<TimerDefaults> shared = make(platform::UserDefaults::standard());
    return shared;
}

std::shared_ptr<TimerDefaults> TimerDefaults::make(platform::UserDefaults& defaults) {
    return std::shared_ptr<TimerDefaults>(new TimerDefaults(defaults));
}

double TimerDefaults::accumulated() const { return storedNumber(accumulatedKey, defaultAccumulated); }
double TimerDefaults::target() const { return storedNumber(targetKey, defaultTarget); }
bool TimerDefaults::running() const { return storedBoolean(runningKey, defaultRunning); }
bool TimerDefaults::showTitle() const { return storedBoolean(showTitleKey, defaultShowTitle); }

void TimerDefaults::setAccumulated(double seconds) { store(seconds, accumulatedKey); }
void TimerDefaults::setTarget(double seconds) { store(seconds, targetKey); }
void TimerDefaults::setRunning(bool running) { store(running, runningKey); }
void TimerDefaults::setShowTitle(bool show) { store(show, showTitleKey); }

Binding<double> TimerDefaults::accumulatedBinding() {
    return Binding<double>([self = shared_from_this()] { return self->accumulated(); },
                           [self = shared_from_this()](double seconds) { self->setAccumulated(seconds); });
}

Binding<double> TimerDefaults::targetBinding() {
    return Binding<double>([self = shared_from_this()] { return self->target(); },
                           [self = shared_from_this()](double seconds) { self->setTarget(seconds); });
}

Binding<bool> TimerDefaults::showTitleBinding() {
    return Binding<bool>([self = shared_from_this()] { return self->showTitle(); },
                         [self = shared_from_this()](bool show) { self->setShowTitle(show); });
}

double TimerDefaults::storedNumber(std::string_view key, double fallback) const {
    const auto stored = defaults_.object(key);
    if (!stored) {
        return fallback;
    }
    if (const double* real = stored->real()) {
        // A count or length that is not finite would make every later sum and
        // slider position meaningless.
        return std::isfinite(*real) ? *real : fallback;
    }
    if (const auto* whole = stored->integer()) {
        const auto magnitude = static_cast<double>(whole->magnitude);
        return whole->negative ? -magnitude : magnitude;
    }
    return fallback;
}

bool TimerDefaults::storedBoolean(std::string_view key, bool fallback) const {
    const auto stored = defaults_.object(key);
    const bool* flag = stored ? stored->boolean() : nullptr;
    return flag ? *flag : fallback;
}

template <typename Value>
void TimerDefaults::store(Value value, std::string_view key) {
    objectWillChange.send();
    defaults_.set(value, key);
}

} // namespace Talkclock
