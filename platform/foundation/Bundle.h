#pragma once

#include <mutex>
#include <optional>
#include <string>

namespace platform {

// The running program's bundle. Each program compiles its identifier in
// (MENULETS_BUNDLE_IDENTIFIER, "dev.menulets.<Program>") and hands it over
// first thing in main():
//
//     platform::Bundle::setMainBundleIdentifier(MENULETS_BUNDLE_IDENTIFIER);
//
// so the platform library itself is the same for every program. Until then,
// and in tools without one, the identifier is absent.
class Bundle {
public:
    static Bundle& main();

    std::optional<std::string> bundleIdentifier() const;

    // Settable again at any time (tests set or clear it).
    static void setMainBundleIdentifier(std::optional<std::string> identifier);

private:
    Bundle() = default;

    mutable std::mutex mutex_;
    std::optional<std::string> identifier_;
};

} // namespace platform
