#pragma once

#include <string>
#include <string_view>

namespace platform {

// A locale named by an ICU identifier ("de_DE", "en_US_POSIX"). The user's
// locale comes from the environment the desktop session sets, one category at a
// time, so that formats for dates, money and numbers can differ.
class Locale {
public:
    enum class Category { time, monetary, numeric };

    // Accepts ICU and BCP 47 forms ("de_DE", "de-DE"); an identifier ICU cannot
    // hold gives the root locale.
    explicit Locale(std::string_view identifier);

    // Reads a POSIX locale name, "language[_TERRITORY][.codeset][@modifier]".
    // The codeset is dropped; the modifiers "latin" and "cyrillic" become the
    // script, others are dropped. "C", "POSIX" and the empty name give en_US:
    // an unconfigured session is shown in US English, the language the
    // programs' own texts are written in, rather than en_US_POSIX, whose money
    // format ("$ 30.15") reads as a mistake and does not accept "$30.15".
    static Locale fromPosixName(std::string_view name);

    // The first non-empty of LC_ALL, the category's variable (LC_TIME,
    // LC_MONETARY, LC_NUMERIC) and LANG, read now; none gives the C locale.
    static Locale current(Category category);

    const std::string& identifier() const { return identifier_; }

    bool operator==(const Locale&) const = default;

private:
    std::string identifier_;
};

} // namespace platform
