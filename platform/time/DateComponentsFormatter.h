#pragma once

#include "platform/time/CalendarUnit.h"
#include "platform/time/Locale.h"

#include <optional>
#include <string>

namespace platform {

// A length of time as text: "1:01:40", "01:30:00", "1h 1m", "1 hour, 1 minute".
//
// The seconds are spread over the allowed units from the largest down; the
// largest allowed unit takes everything above it (3600 s in minutes and
// seconds is 60:00) and what is left below the smallest is dropped, not
// rounded (3700 s in days, hours and minutes is 1h 1m). A negative length is
// the same text after the locale's minus sign ("-00:05").
class DateComponentsFormatter {
public:
    // The platform's style numbers; only these three are drawn.
    enum class UnitsStyle {
        positional = 0,  // fields joined by ':', the first unpadded, the others two digits
        abbreviated = 1, // the locale's narrow unit forms (en: "1d 1h 1m")
        full = 3,        // the locale's spelt-out unit names (en: "1 hour, 1 minute")
    };
    // Which units with a zero value are shown. The default drops leading zero
    // units in positional style, keeping at least the two smallest allowed
    // units (59 s is 0:59), and every zero unit in the other styles. Whenever
    // all values are zero the smallest allowed unit is shown ("0m").
    enum class ZeroFormattingBehavior {
        defaultBehavior = 1,
        dropLeading = 2,
        dropAll = 14,
        pad = 0x10000, // every allowed unit, each of at least two digits in positional style
    };

    UnitsStyle unitsStyle = UnitsStyle::positional;
    // CalendarUnit bits; other bits are ignored, and 0 allows days, hours,
    // minutes and seconds.
    unsigned allowedUnits = 0;
    ZeroFormattingBehavior zeroFormattingBehavior = ZeroFormattingBehavior::defaultBehavior;
    // Unset: the user's current time locale, read at each use.
    std::optional<Locale> locale;

    // Nothing for a length that is not finite or beyond 2^53 seconds, for a
    // mask that allows none of the four units, and when ICU lacks the locale's
    // unit formats.
    std::optional<std::string> string(double seconds) const;
};

} // namespace platform
