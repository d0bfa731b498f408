#include "Pricetray/CurrencyFormatter.h"

#include "platform/time/Locale.h"

#include <cmath>

namespace Pricetray {

const platform::NumberFormatter& currencyFormatter() {
    static const platform::NumberFormatter formatter = [] {
        platform::NumberFormatter made;
        made.numberStyle = platform::NumberFormatter::Style::currency;
        return made;
    }();
    return formatter;
}

std::optional<double> parsePrice(std::string_view text) {
    auto price = currencyFormatter().number(text);
    if (!price) {
        // The plain number is read with the separators of the money format,
        // which the user sees in the field, even where numbers are set up otherwise.
        platform::NumberFormatter plain;
        plain.locale = platform::Locale::current(platform::Locale::Category::monetary);
        price = plain.number(text);
    }
    // "NaN", "∞" and numbers too large for a double read, but no total could
    // be made of them.
    if (price && !std::isfinite(*price)) {
        return std::nullopt;
    }
    return price;
}

} // namespace Pricetray
