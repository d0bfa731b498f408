#include "platform/views/Shape.h"

#include "platform/views/TypeName.h"

#include <sstream>

namespace platform {

std::string Shape::describe() const {
    std::ostringstream out;
    out << readableTypeName(typeid(*this));
    auto data = animatableData();
    if (!data.empty()) {
        out << '(';
        for (std::size_t i = 0; i < data.size(); ++i) {
            out << (i ? ", " : "") << data[i];
        }
        out << ')';
    }
    return out.str();
}

} // namespace platform
