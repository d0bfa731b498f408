#include "platform/appkit/Color.h"

#include <sstream>

namespace platform {

std::string Color::describe() const {
    std::ostringstream out;
    if (isNamed()) {
        out << name_;
        if (alpha_ != 1.0 && name_ != "clear") {
            out << " alpha " << alpha_;
        }
        return out.str();
    }
    out << "sRGB(" << red_ << ", " << green_ << ", " << blue_ << ", " << alpha_ << ")";
    return out.str();
}

} // namespace platform
