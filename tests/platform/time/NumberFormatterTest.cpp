#include "platform/time/NumberFormatter.h"

#include "TimeTestSupport.h"

#include <gtest/gtest.h>

using platform::Locale;
using platform::NumberFormatter;

namespace {

NumberFormatter formatter(NumberFormatter::Style style, const char* locale) {
    NumberFormatter result;
    result.numberStyle = style;
    result.locale = Locale(locale);
    return result;
}

} // namespace

TEST(NumberFormatter, CurrencyTextRoundTrips) {
    auto dollars = formatter(NumberFormatter::Style::currency, "en_US");
    auto euros = formatter(NumberFormatter::Style::currency, "de_DE");
    EXPECT_EQ(dollars.string(30.15), "$30.15");
    EXPECT_EQ(dollars.string(1234.5), "$1,234.50");
    EXPECT_EQ(euros.string(30.15), "30,15\u00a0€");
    EXPECT_EQ(dollars.number("$30.15"), 30.15);
    EXPECT_EQ(dollars.number("-$30.15"), -30.15);
    EXPECT_EQ(dollars.number("$1,234.50"), 1234.5);
    EXPECT_EQ(euros.number(*euros.string(1234.5)), 1234.5);
}

TEST(NumberFormatter, CurrencyParsingIsStrict) {
    auto dollars = formatter(NumberFormatter::Style::currency, "en_US");
    for (const char* text : {"abc", "", "30.15", "$ 30.15", " $30.15", "$30.15x", "€30.15", "$30\xff"})
        EXPECT_FALSE(dollars.number(text)) << text;
    auto euros = formatter(NumberFormatter::Style::currency, "de_DE");
    for (const char* text : {"30,15", "30,15 €", "$30.15", "30.15\u00a0€"})
        EXPECT_FALSE(euros.number(text)) << text;
}

TEST(NumberFormatter, DecimalStyle) {
    auto english = formatter(NumberFormatter::Style::decimal, "en_US");
    auto german = formatter(NumberFormatter::Style::decimal, "de_DE");
    EXPECT_EQ(english.string(1234.5), "1,234.5");
    EXPECT_EQ(german.string(1234.5), "1.234,5");
    EXPECT_EQ(german.number("1.234,5"), 1234.5);
    EXPECT_FALSE(german.number("1,234.5"));
}

TEST(NumberFormatter, DefaultLocaleDependsOnTheStyle) {
    time_test::ScopedEnvironment environment{
        {"LC_ALL", std::nullopt}, {"LC_MONETARY", "de_DE.UTF-8"}, {"LC_NUMERIC", "en_US.UTF-8"}};
    NumberFormatter money;
    money.numberStyle = NumberFormatter::Style::currency;
    EXPECT_EQ(money.string(2), "2,00\u00a0€");
    EXPECT_EQ(NumberFormatter().string(1234.5), "1,234.5");
}
