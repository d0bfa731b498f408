#include "Urlstash/FatalError.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace Urlstash {

namespace {

// "Urlstash/MenuBarButton.cpp" from wherever the compiler was run: the
// program's folder and the file, not the build machine's path.
std::string_view shortFileName(std::string_view path) {
    const auto last = path.rfind('/');
    if (last == std::string_view::npos || last == 0) {
        return path;
    }
    const auto previous = path.rfind('/', last - 1);
    return previous == std::string_view::npos ? path : path.substr(previous + 1);
}

} // namespace

void fatalError(std::string_view message, const char* file, unsigned line) {
    std::fflush(nullptr);
    const std::string text = std::string(shortFileName(file)) + ":" + std::to_string(line) + ": Fatal error: " +
                             std::string(message) + "\n";
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
    std::abort();
}

} // namespace Urlstash
