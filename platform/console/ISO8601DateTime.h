#pragma once

#include "platform/foundation/Date.h"

#include <optional>
#include <string_view>

namespace platform {

// Reads an ISO 8601 date-time: "2024-05-01T09:30", "2024-05-01T09:30:15.5Z",
// "2024-05-01 09:30:00+02:00" (or +0200, or +02). Without a zone the time is
// the current time zone's wall-clock time. Nothing for anything else,
// including fields out of range.
std::optional<Date> parseISO8601DateTime(std::string_view text);

} // namespace platform
