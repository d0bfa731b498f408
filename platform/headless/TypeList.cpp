#include "platform/headless/TypeList.h"

namespace platform {

std::string typeList(const std::vector<std::string>& types) {
    std::string out;
    for (const auto& type : types) {
        out += (out.empty() ? "" : ",") + type;
    }
    return out;
}

} // namespace platform
