#include "Hourtrail/BrowserURL.h"

#include "platform/appkit/AppleScript.h"
#include "platform/foundation/DebugLine.h"
#include "platform/foundation/URL.h"

namespace Hourtrail {

std::optional<std::string> hostOfPage(const std::string& text) {
    auto url = platform::URL::fromString(text);
    if (!url) {
        return std::nullopt;
    }
    auto host = url->host();
    if (!host) {
        return std::nullopt;
    }
    // Exactly "www." in lower case: "WWW.a.example" and "wwwa.example" keep their names.
    if (host->starts_with("www.")) {
        host->erase(0, 4);
    }
    return host;
}

std::optional<std::string> browserScript(const std::string& browserName) {
    if (browserName == "Google Chrome") {
        return "tell app \"Google Chrome\" to get the url of the active tab of window 1";
    }
    if (browserName == "Safari") {
        return "tell application \"Safari\" to return URL of front document";
    }
    return std::nullopt;
}

std::optional<std::string> getBrowserURL(const std::string& browserName) {
    auto source = browserScript(browserName);
    if (!source) {
        return std::nullopt;
    }
    auto script = platform::AppleScript::withSource(*source);
    if (!script) {
        return std::nullopt;
    }
    platform::ScriptErrorInfo error;
    if (auto answer = script->executeAndReturnError(&error)) {
        return hostOfPage(*answer);
    }
    if (!error.empty()) {
        platform::debugPrint("Get Browser URL request failed with error: " + platform::describeScriptError(error));
    }
    return std::nullopt;
}

} // namespace Hourtrail
