#pragma once

#include "platform/time/DateComponentsFormatter.h"
#include "platform/views/Binding.h"
#include "platform/views/Component.h"
#include "platform/views/View.h"

#include <string>
#include <vector>

namespace Talkclock {

// The remaining time (target less the count) as a row of character tiles:
// each digit and the minus sign on a rounded tile with a soft shadow, each
// ":" a plain separator. Hours are shown only for targets over one hour.
class TimerView : public platform::Component {
public:
    TimerView(platform::Binding<double> target, platform::Binding<double> accumulated);

    // Hours, minutes and seconds for targets over one hour, else minutes and
    // seconds (so a target of exactly one hour starts at 60:00).
    static unsigned allowedUnits(double target);
    // The remaining seconds as the tiles spell them; "00:00:00" when the
    // formatter has no text for them.
    std::string remainingText(double remaining) const;
    // The characters of a text, each a whole UTF-8 sequence, in order.
    static std::vector<std::string> characters(const std::string& text);

    platform::View body() override;

private:
    platform::Binding<double> target_;
    platform::Binding<double> accumulated_;
    platform::DateComponentsFormatter dateFormatter_;
};

} // namespace Talkclock
