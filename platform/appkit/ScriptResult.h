#pragma once

#include <map>
#include <optional>
#include <string>

namespace platform {

// What running a script gave: a string value when it returned one, or the
// platform's error dictionary ("NSAppleScriptErrorMessage",
// "NSAppleScriptErrorNumber", ...) when it failed. A script that ran without
// returning a string gives neither.
struct ScriptResult {
    std::optional<std::string> stringValue;
    std::optional<std::map<std::string, std::string>> error;

    static ScriptResult value(std::string text) { return ScriptResult{std::move(text), std::nullopt}; }
    static ScriptResult nothing() { return ScriptResult{}; }
    static ScriptResult failure(const std::string& message, int number, const std::string& applicationName = {});
};

} // namespace platform
