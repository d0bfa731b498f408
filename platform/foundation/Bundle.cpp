#include "platform/foundation/Bundle.h"

namespace platform {

Bundle& Bundle::main() {
    static Bundle bundle;
    return bundle;
}

std::optional<std::string> Bundle::bundleIdentifier() const {
    std::lock_guard lock(mutex_);
    return identifier_;
}

void Bundle::setMainBundleIdentifier(std::optional<std::string> identifier) {
    Bundle& bundle = main();
    std::lock_guard lock(bundle.mutex_);
    bundle.identifier_ = std::move(identifier);
}

} // namespace platform
