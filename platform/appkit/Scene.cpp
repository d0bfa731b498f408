#include "platform/appkit/Scene.h"

namespace platform {

bool WindowGroup::matches(const std::string& urlText) const {
    for (const auto& pattern : patterns_) {
        if (pattern == "*" || urlText.find(pattern) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace platform
