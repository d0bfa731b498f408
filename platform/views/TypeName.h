#pragma once

#include <string>
#include <typeinfo>

namespace platform {

// The readable name of a class for listings, without namespaces or template
// arguments ("ContentView" for `Talkclock::ContentView`).
std::string readableTypeName(const std::type_info& type);

} // namespace platform
