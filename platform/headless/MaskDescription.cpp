#include "platform/headless/MaskDescription.h"

namespace platform {

std::string MaskDescription::describe(std::uint64_t mask, std::initializer_list<Name> names, const char* empty) {
    std::string out;
    for (const auto& name : names) {
        if (mask & name.bit) {
            out += (out.empty() ? "" : "|") + std::string(name.name);
            mask &= ~name.bit;
        }
    }
    if (mask != 0) {
        out += (out.empty() ? "" : "|") + std::to_string(mask);
    }
    return out.empty() ? empty : out;
}

} // namespace platform
