#pragma once

#include <optional>
#include <string>

namespace platform {

// A console command's number argument: the whole word must be one finite
// number ("2.5", "-1", "1e3"); trailing text, overflow, "inf" and "nan" give
// nothing, so a typo is reported instead of being read as something else.
struct NumberArgument {
    static std::optional<double> parse(const std::string& word);
};

} // namespace platform
