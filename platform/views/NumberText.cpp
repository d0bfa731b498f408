#include "platform/views/NumberText.h"

#include <cmath>
#include <sstream>

namespace platform {

std::string numberText(double value) {
    if (std::isinf(value)) {
        return value > 0 ? "infinity" : "-infinity";
    }
    // Values that only differ from zero by rounding noise read as 0, not -0.
    if (value == 0) {
        value = 0;
    }
    std::ostringstream out;
    out << value;
    return out.str();
}

} // namespace platform
