#pragma once

#include <string>
#include <vector>

namespace platform {

class Window;

// A window as text: one header line with its number, kind, title and
// state, then its content's own listing indented below it.
class WindowListing {
public:
    static std::vector<std::string> lines(const Window& window);
    static std::string header(const Window& window);
    static std::string describeStyleMask(unsigned long long mask);
};

} // namespace platform
