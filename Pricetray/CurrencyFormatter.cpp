#include "Pricetray/CurrencyFormatter.h"

#include "platform/time/Locale.h"

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
    if (auto price = currencyFormatter().number(text)) {
        return price;
    }
    // The plain number is read with the separators of the money format, which
    // the user sees in the field, even where numbers are set up otherwise.
    platform::NumberFormatter plain;
    plain.locale = platform::Locale::current(platform::Locale::Category::monetary);
    return plain.number(text);
}

} // namespace Pricetray
