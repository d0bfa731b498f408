#pragma once

#include "platform/time/Locale.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Numbers and amounts of money as text in a locale's format, and back.
class NumberFormatter {
public:
    // The platform's style numbers.
    enum class Style { decimal = 1, currency = 2 };

    Style numberStyle = Style::decimal;
    // Unset: the user's current locale of the style's category (monetary for
    // currency, numeric otherwise), read at each use. A locale without a
    // territory has no currency and shows the unknown currency "XXX".
    std::optional<Locale> locale;

    // Nothing only when ICU has no format for the locale.
    std::optional<std::string> string(double value) const;

    // Strict: the whole text must be in the locale's format, symbol and
    // separators included. In en_US "$30.15" and "-$30.15" read, "30.15",
    // "$ 30.15" and " $30.15" do not; in de_DE "30,15 €" reads only with the
    // no-break space that formatting puts before the sign, as ICU's strict
    // parser wants it.
    std::optional<double> number(std::string_view text) const;
};

} // namespace platform
