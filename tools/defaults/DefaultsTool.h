#pragma once

#include "platform/defaults/DefaultsFile.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The `menulets-defaults` command over the programs' defaults files:
//   menulets-defaults domains
//   menulets-defaults read DOMAIN [KEY]
//   menulets-defaults write DOMAIN KEY [-string|-int|-float|-bool|-data] VALUE
//   menulets-defaults delete DOMAIN [KEY]
//   menulets-defaults export DOMAIN FILE     (binary property list; "-" for standard output)
//   menulets-defaults import DOMAIN FILE     ("-" for standard input)
// DOMAIN is a bundle identifier, or NSGlobalDomain (also -g). Every change is
// written to the file at once, atomically.
class DefaultsTool {
public:
    DefaultsTool(std::ostream& out, std::ostream& err, std::istream& in) : out_(out), err_(err), in_(in) {}

    // The process's exit status: 0 on success, 1 for a failed command, 2 for
    // a command line that does not make sense.
    int run(const std::vector<std::string>& arguments);

private:
    int domains();
    int read(const std::vector<std::string>& arguments);
    int write(const std::vector<std::string>& arguments);
    int remove(const std::vector<std::string>& arguments);
    int exportDomain(const std::vector<std::string>& arguments);
    int importDomain(const std::vector<std::string>& arguments);

    // The domain's name as files know it, or nothing (reported) for a bad one.
    std::optional<std::string> domainName(const std::string& argument);
    // The domain's values, or nothing (reported) when it has no readable file.
    std::optional<platform::DefaultsFile::Contents> existingContents(const std::string& domain);
    // Writes the domain after `change`, reporting any notice the file gives;
    // the exit status.
    int replaceValues(const std::string& domain, const std::function<void(platform::PropertyListDictionary&)>& change);
    int fail(const std::string& message);
    int usageError(const std::string& message);
    void printUsage(std::ostream& stream) const;

    std::ostream& out_;
    std::ostream& err_;
    std::istream& in_;
};
