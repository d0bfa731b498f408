#pragma once

#include <string>
#include <string_view>

namespace platform {

// Where the defaults files live: one binary property list per domain in
// ${XDG_CONFIG_HOME:-~/.config}/menulets, named after the domain (a program's
// bundle identifier), and the global domain in ".GlobalPreferences.plist".
class DefaultsLocation {
public:
    static constexpr std::string_view globalDomainName = "NSGlobalDomain";
    static constexpr std::string_view globalDomainFileName = ".GlobalPreferences.plist";
    static constexpr std::string_view fileExtension = ".plist";

    // Read from the environment on every call, so tests can point it elsewhere.
    static std::string folder();
    static std::string fileForDomain(std::string_view domain);

    // A name that maps to a file of its own in the folder: not empty, no "/",
    // no leading ".", no NUL.
    static bool isValidDomainName(std::string_view domain);
};

} // namespace platform
