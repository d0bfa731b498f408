#pragma once

// Conversions between the platform's time values and ICU's, for the .cpp files
// of this folder only (the public headers stay free of ICU).

#include "platform/foundation/Date.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeZone.h"

#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform::icu_support {

icu::Locale icuLocale(const Locale& locale);
std::unique_ptr<icu::TimeZone> icuTimeZone(const TimeZone& zone);

std::string utf8(const icu::UnicodeString& text);
icu::UnicodeString unicode(std::string_view utf8Text);

// ICU counts milliseconds in a double and refuses (or silently clamps) moments
// more than a few million years away; those and non-finite dates have no value.
std::optional<double> icuMilliseconds(Date date);
Date dateFromIcuMilliseconds(double milliseconds);

} // namespace platform::icu_support
