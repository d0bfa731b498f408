#include "tools/defaults/DefaultsTool.h"

#include "tools/defaults/DefaultsValueParser.h"
#include "tools/defaults/PropertyListTextFormatter.h"

#include "platform/defaults/DefaultsFile.h"
#include "platform/defaults/DefaultsLocation.h"
#include "platform/foundation/FileManager.h"
#include "platform/plist/BinaryPropertyList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

using namespace platform;

namespace {

// An import larger than this is no defaults domain.
constexpr std::streamsize maximumImportSize = 256 * 1024 * 1024;

std::optional<Data> readAll(std::istream& in) {
    Data bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (static_cast<std::streamsize>(bytes.size()) > maximumImportSize) {
            return std::nullopt;
        }
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

int DefaultsTool::run(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        printUsage(err_);
        return 2;
    }
    const std::string& command = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "--help" || command == "-h" || command == "help") {
        printUsage(out_);
        return 0;
    }
    if (command == "domains") {
        return rest.empty() ? domains() : usageError("domains takes no arguments");
    }
    if ((command == "read" || command == "write" || command == "delete") && rest.size() >= 2 && rest[1].empty()) {
        return fail("a key cannot be empty");
    }
    if (command == "read") {
        return read(rest);
    }
    if (command == "write") {
        return write(rest);
    }
    if (command == "delete") {
        return remove(rest);
    }
    if (command == "export") {
        return exportDomain(rest);
    }
    if (command == "import") {
        return importDomain(rest);
    }
    return usageError("unknown command \"" + command + "\"");
}

int DefaultsTool::domains() {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(DefaultsLocation::folder(), error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const std::string_view extension = DefaultsLocation::fileExtension;
        if (name.size() > extension.size() && name.ends_with(extension) && !name.starts_with('.')) {
            names.push_back(name.substr(0, name.size() - extension.size()));
        }
    }
    std::sort(names.begin(), names.end());
    for (std::size_t i = 0; i < names.size(); ++i) {
        out_ << (i ? ", " : "") << names[i];
    }
    out_ << '\n';
    return 0;
}

int DefaultsTool::read(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        return usageError("read needs DOMAIN [KEY]");
    }
    const auto domain = domainName(arguments[0]);
    if (!domain) {
        return 1;
    }
    auto contents = existingContents(*domain);
    if (!contents) {
        return 1;
    }
    if (arguments.size() == 1) {
        out_ << PropertyListTextFormatter::format(PropertyList(std::move(contents->values))) << '\n';
        return 0;
    }
    const PropertyList* value = contents->values.find(arguments[1]);
    if (!value) {
        return fail("The domain/default pair of (" + *domain + ", " + arguments[1] + ") does not exist");
    }
    out_ << PropertyListTextFormatter::formatValue(*value) << '\n';
    return 0;
}

int DefaultsTool::write(const std::vector<std::string>& arguments) {
    std::optional<PropertyList> value;
    if (arguments.size() == 3 && !DefaultsValueParser::isTypeFlag(arguments[2])) {
        value = PropertyList(arguments[2]);
    } else if (arguments.size() == 4) {
        std::string error;
        value = DefaultsValueParser::parse(arguments[2], arguments[3], error);
        if (!value) {
            return fail(error);
        }
    } else {
        return usageError("write needs DOMAIN KEY [-string|-int|-float|-bool|-data] VALUE");
    }
    const auto domain = domainName(arguments[0]);
    if (!domain) {
        return 1;
    }
    return replaceValues(*domain, [&](PropertyListDictionary& values) { values.set(arguments[1], *value); });
}

int DefaultsTool::remove(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        return usageError("delete needs DOMAIN [KEY]");
    }
    const auto domain = domainName(arguments[0]);
    if (!domain) {
        return 1;
    }
    const DefaultsFile file(DefaultsLocation::fileForDomain(*domain));
    const DefaultsFile::Contents contents = file.read();
    if (contents.status == DefaultsFile::Status::missing) {
        return fail("Domain " + *domain + " not found");
    }
    std::string error;
    if (arguments.size() == 1) {
        return file.remove(&error) ? 0 : fail(error);
    }
    if (contents.status == DefaultsFile::Status::unreadable || contents.status == DefaultsFile::Status::corrupt) {
        return fail("cannot read domain " + *domain + ": " + contents.error);
    }
    const std::string& key = arguments[1];
    const bool removed = file.update(
        [&](PropertyListDictionary& values, std::string* reason) {
            if (!values.remove(key)) {
                *reason = "The domain/default pair of (" + *domain + ", " + key + ") does not exist";
                return false;
            }
            return true;
        },
        &error);
    return removed ? 0 : fail(error);
}

int DefaultsTool::exportDomain(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) {
        return usageError("export needs DOMAIN FILE");
    }
    const auto domain = domainName(arguments[0]);
    if (!domain) {
        return 1;
    }
    auto contents = existingContents(*domain);
    if (!contents) {
        return 1;
    }
    const Data bytes = BinaryPropertyList::write(PropertyList(std::move(contents->values)));
    if (arguments[1] == "-") {
        out_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out_.flush();
        return out_ ? 0 : fail("cannot write to standard output");
    }
    std::string error;
    return FileManager::defaultManager().writeAtomically(bytes, arguments[1], &error) ? 0 : fail(error);
}

int DefaultsTool::importDomain(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) {
        return usageError("import needs DOMAIN FILE");
    }
    const auto domain = domainName(arguments[0]);
    if (!domain) {
        return 1;
    }
    std::optional<Data> bytes;
    if (arguments[1] == "-") {
        bytes = readAll(in_);
    } else {
        std::ifstream file(arguments[1], std::ios::binary);
        if (!file) {
            return fail("cannot open " + arguments[1]);
        }
        bytes = readAll(file);
    }
    if (!bytes) {
        return fail("cannot read " + arguments[1]);
    }
    std::string error;
    auto tree = BinaryPropertyList::read(*bytes, &error);
    if (!tree) {
        return fail(arguments[1] + " is not a binary property list: " + error);
    }
    if (!tree->dictionary()) {
        return fail(arguments[1] + " does not hold a dictionary");
    }
    return replaceValues(*domain, [&](PropertyListDictionary& values) { values = std::move(*tree->dictionary()); });
}

std::optional<std::string> DefaultsTool::domainName(const std::string& argument) {
    if (argument == "-g" || argument == "-globalDomain" || argument == DefaultsLocation::globalDomainName) {
        return std::string(DefaultsLocation::globalDomainName);
    }
    if (!DefaultsLocation::isValidDomainName(argument)) {
        fail("invalid domain name \"" + argument + "\"");
        return std::nullopt;
    }
    return argument;
}

std::optional<DefaultsFile::Contents> DefaultsTool::existingContents(const std::string& domain) {
    DefaultsFile::Contents contents = DefaultsFile(DefaultsLocation::fileForDomain(domain)).read();
    if (contents.status == DefaultsFile::Status::missing) {
        fail("Domain " + domain + " does not exist");
        return std::nullopt;
    }
    if (contents.status == DefaultsFile::Status::unreadable || contents.status == DefaultsFile::Status::corrupt) {
        fail("cannot read domain " + domain + ": " + contents.error);
        return std::nullopt;
    }
    return contents;
}

int DefaultsTool::replaceValues(const std::string& domain,
                                const std::function<void(PropertyListDictionary&)>& change) {
    std::string error;
    std::string notice;
    const bool written = DefaultsFile(DefaultsLocation::fileForDomain(domain))
                             .update(
                                 [&](PropertyListDictionary& values, std::string*) {
                                     change(values);
                                     return true;
                                 },
                                 &error, &notice);
    // A notice (an unreadable file moved aside) is worth telling even when
    // the write went through.
    if (!notice.empty()) {
        err_ << "menulets-defaults: " << notice << '\n';
    }
    return written ? 0 : fail(error);
}

int DefaultsTool::fail(const std::string& message) {
    err_ << "menulets-defaults: " << message << '\n';
    return 1;
}

int DefaultsTool::usageError(const std::string& message) {
    err_ << "menulets-defaults: " << message << "\n\n";
    printUsage(err_);
    return 2;
}

void DefaultsTool::printUsage(std::ostream& stream) const {
    stream << "usage: menulets-defaults COMMAND ...\n"
              "\n"
              "  domains                          lists the domains that have a defaults file\n"
              "  read DOMAIN [KEY]                shows the domain, or one key's value\n"
              "  write DOMAIN KEY [TYPE] VALUE    sets a key; TYPE is -string (the default),\n"
              "                                   -int, -float, -bool (YES/NO) or -data (hex)\n"
              "  delete DOMAIN [KEY]              removes a key, or the whole domain\n"
              "  export DOMAIN FILE               writes the domain as a binary property list\n"
              "                                   (\"-\" for standard output)\n"
              "  import DOMAIN FILE               replaces the domain with a binary property list\n"
              "                                   (\"-\" for standard input)\n"
              "\n"
              "DOMAIN is a bundle identifier such as dev.menulets.Carryover, or NSGlobalDomain (-g).\n"
              "The files live in "
           << DefaultsLocation::folder() << ".\n";
}
