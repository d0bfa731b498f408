#include "platform/defaults/GlobalDomainWriter.h"

#include "platform/defaults/DefaultsFile.h"
#include "platform/defaults/DefaultsLocation.h"

namespace platform {

GlobalDomainWriter::GlobalDomainWriter() : path_(DefaultsLocation::fileForDomain(DefaultsLocation::globalDomainName)) {}

bool GlobalDomainWriter::set(const PropertyList& value, std::string_view key, std::string* error) const {
    return DefaultsFile(path_).update(
        [&](PropertyListDictionary& values, std::string*) {
            values.set(std::string(key), value);
            return true;
        },
        error);
}

bool GlobalDomainWriter::removeObject(std::string_view key, std::string* error) const {
    return DefaultsFile(path_).update(
        [&](PropertyListDictionary& values, std::string*) {
            values.remove(key);
            return true;
        },
        error);
}

} // namespace platform
