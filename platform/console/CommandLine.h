#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// One console line cut into words: spaces separate words; "double quotes"
// keep spaces and take the escapes \" \\ \n \t; 'single quotes' keep
// everything as written. A "#" at the start of a word begins a comment.
// Nothing (and the reason in `error`) when a quote is not closed.
std::optional<std::vector<std::string>> splitCommandLine(const std::string& line, std::string* error = nullptr);

} // namespace platform
