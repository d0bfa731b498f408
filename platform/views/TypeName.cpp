#include "platform/views/TypeName.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace platform {

std::string readableTypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                     std::free);
    std::string name = status == 0 && demangled ? demangled.get() : type.name();
    if (auto templateStart = name.find('<'); templateStart != std::string::npos) {
        name.erase(templateStart);
    }
    if (auto scope = name.rfind("::"); scope != std::string::npos) {
        name.erase(0, scope + 2);
    }
    return name;
}

} // namespace platform
