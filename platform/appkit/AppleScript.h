#pragma once

#include <map>
#include <optional>
#include <string>

namespace platform {

// The error details of a failed script, keyed as the platform keys them
// ("NSAppleScriptErrorMessage", "NSAppleScriptErrorNumber", ...).
using ScriptErrorInfo = std::map<std::string, std::string>;

// The dictionary's description as the platform prints it:
// "{\n    NSAppleScriptErrorMessage = \"...\";\n    NSAppleScriptErrorNumber = -600;\n}".
std::string describeScriptError(const ScriptErrorInfo& info);

// A script in the platform's scripting language. Compiling checks that the
// tell blocks and strings are balanced and finds the application the script
// talks to; the backend decides what that application answers.
class AppleScript {
public:
    // The compiled script; none when the source does not compile.
    static std::optional<AppleScript> withSource(std::string source);

    const std::string& source() const { return source_; }
    // The application of the outermost tell block; empty without one.
    const std::string& targetApplication() const { return target_; }

    // Runs the script and waits for it: the result's string value if it has
    // one. On failure the error details go to `errorInfo` (when given).
    std::optional<std::string> executeAndReturnError(ScriptErrorInfo* errorInfo = nullptr) const;

private:
    AppleScript(std::string source, std::string target) : source_(std::move(source)), target_(std::move(target)) {}

    std::string source_;
    std::string target_;
};

} // namespace platform
