#include "platform/foundation/FileErrors.h"

#include <cstring>

namespace platform {

void reportFileError(std::string* error, std::string_view what, const std::string& path, int code) {
    if (error) {
        *error = std::string(what) + " " + path + ": " + std::strerror(code);
    }
}

} // namespace platform
