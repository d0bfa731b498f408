#pragma once

#include "platform/time/PosixTimeZoneRule.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

// A zone's offsets from UTC over time, as the system has them: read from a
// zone file (TZif, as in /usr/share/zoneinfo and /etc/localtime) or from a
// POSIX rule such as TZ may hold. A zone file lists its changes up to some
// year and ends with the rule for the years after; that rule's changes are
// listed here too, up to `lastListedYear`, so that the list alone tells the
// offset at any time people schedule things for.
class ZoneRules {
public:
    static constexpr int lastListedYear = 2200;

    // Nothing for bytes that are not a well-formed zone file.
    static std::optional<ZoneRules> fromZoneFile(std::string_view bytes);
    static ZoneRules fromPosixRule(const PosixTimeZoneRule& rule);

    // In effect before the first change (its `at` means nothing).
    const ZoneTransition& initial() const { return initial_; }
    // In time order, each a real change, none at the same moment as another.
    const std::vector<ZoneTransition>& transitions() const { return transitions_; }

    // Local time minus UTC, in seconds, at `secondsSince1970` (UTC).
    std::int32_t offsetAt(std::int64_t secondsSince1970) const;

private:
    void append(ZoneTransition transition);
    // The rule's changes after the last listed one, up to lastListedYear.
    void extend(const PosixTimeZoneRule& rule);

    ZoneTransition initial_;
    std::vector<ZoneTransition> transitions_;
};

} // namespace platform
