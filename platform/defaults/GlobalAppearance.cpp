#include "platform/defaults/GlobalAppearance.h"

#include "platform/defaults/DefaultsLocation.h"
#include "platform/defaults/GlobalDomain.h"
#include "platform/defaults/GlobalDomainWriter.h"

#include <string>

namespace platform {

bool GlobalAppearance::isDark() {
    GlobalDomain global(DefaultsLocation::fileForDomain(DefaultsLocation::globalDomainName));
    auto style = global.object(key);
    return style && style->string() != nullptr && *style->string() == "Dark";
}

bool GlobalAppearance::setDark(bool dark) {
    GlobalDomainWriter writer;
    return dark ? writer.set(PropertyList(std::string("Dark")), key) : writer.removeObject(key);
}

} // namespace platform
