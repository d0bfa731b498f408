#include "platform/appkit/ScriptResult.h"

namespace platform {

ScriptResult ScriptResult::failure(const std::string& message, int number, const std::string& applicationName) {
    std::map<std::string, std::string> details{
        {"NSAppleScriptErrorMessage", message},
        {"NSAppleScriptErrorBriefMessage", message},
        {"NSAppleScriptErrorNumber", std::to_string(number)},
    };
    if (!applicationName.empty()) {
        details["NSAppleScriptErrorAppName"] = applicationName;
    }
    return ScriptResult{std::nullopt, std::move(details)};
}

} // namespace platform
