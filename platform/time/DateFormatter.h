#pragma once

#include "platform/foundation/Date.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeZone.h"

#include <optional>
#include <string>

namespace platform {

// Dates as text in the locale's own styles, in the Gregorian calendar.
class DateFormatter {
public:
    enum class Style { noStyle, shortStyle, mediumStyle, longStyle, fullStyle };

    Style dateStyle = Style::noStyle;
    Style timeStyle = Style::noStyle;
    // Unset: the user's current time locale and time zone, read at each use.
    std::optional<Locale> locale;
    std::optional<TimeZone> timeZone;

    // Empty when both styles are noStyle, for dates ICU cannot hold, and when
    // ICU has no format for the locale.
    std::string string(Date date) const;
};

} // namespace platform
