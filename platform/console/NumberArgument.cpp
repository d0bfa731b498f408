#include "platform/console/NumberArgument.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace platform {

std::optional<double> NumberArgument::parse(const std::string& word) {
    if (word.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(word.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace platform
