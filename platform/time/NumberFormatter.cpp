#include "platform/time/NumberFormatter.h"

#include "platform/time/IcuSupport.h"

#include <unicode/numfmt.h>
#include <unicode/parsepos.h>

#include <memory>

namespace platform {

namespace {

std::unique_ptr<icu::NumberFormat> makeFormat(NumberFormatter::Style style, const std::optional<Locale>& locale) {
    Locale::Category category =
        style == NumberFormatter::Style::currency ? Locale::Category::monetary : Locale::Category::numeric;
    icu::Locale icuLocale = icu_support::icuLocale(locale.value_or(Locale::current(category)));
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> format(style == NumberFormatter::Style::currency
                                                  ? icu::NumberFormat::createCurrencyInstance(icuLocale, status)
                                                  : icu::NumberFormat::createInstance(icuLocale, status));
    if (U_FAILURE(status) || !format) return nullptr;
    format->setLenient(false);
    return format;
}

} // namespace

std::optional<std::string> NumberFormatter::string(double value) const {
    auto format = makeFormat(numberStyle, locale);
    if (!format) return std::nullopt;
    icu::UnicodeString text;
    format->format(value, text);
    return icu_support::utf8(text);
}

std::optional<double> NumberFormatter::number(std::string_view text) const {
    auto format = makeFormat(numberStyle, locale);
    if (!format) return std::nullopt;
    icu::UnicodeString input = icu_support::unicode(text);
    if (input.isEmpty()) return std::nullopt;
    icu::Formattable result;
    icu::ParsePosition position(0);
    format->parse(input, result, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != input.length()) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    double value = result.getDouble(status);
    if (U_FAILURE(status)) return std::nullopt;
    return value;
}

} // namespace platform
