#pragma once

#include "platform/headless/HeadlessEvent.h"

#include <string>
#include <utility>
#include <vector>

namespace platform {

class StatusItem;

// What a status item shows at one moment, field by field, so the window
// server can report what changed since it last looked.
class StatusItemSnapshot {
public:
    static StatusItemSnapshot of(const StatusItem& item);

    const std::vector<std::pair<std::string, HeadlessEvent::Value>>& fields() const { return fields_; }
    // The fields whose value differs from `earlier` (all of them against an
    // empty snapshot).
    std::vector<std::pair<std::string, HeadlessEvent::Value>> changesSince(const StatusItemSnapshot& earlier) const;

    // One line per field, "title: \"3\"".
    std::string describe() const;

private:
    std::vector<std::pair<std::string, HeadlessEvent::Value>> fields_;
};

} // namespace platform
