#pragma once

#include "platform/time/NumberFormatter.h"

#include <optional>
#include <string_view>

namespace Pricetray {

// The one money formatter of the program, made on first use: the currency
// style of the user's locale, read at each use.
const platform::NumberFormatter& currencyFormatter();

// A price as typed into the price window: the locale's currency format
// ("$30.15" in en_US, "30,15 €" in de_DE), or a plain number in the same
// locale ("30.15", "30,15"), which is what most people type. Nothing for
// other text, and for amounts that are not finite numbers.
std::optional<double> parsePrice(std::string_view text);

} // namespace Pricetray
