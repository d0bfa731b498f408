#include "platform/time/Locale.h"

#include <unicode/locid.h>

#include <cstdlib>

namespace platform {

namespace {

const char* categoryVariable(Locale::Category category) {
    switch (category) {
    case Locale::Category::time: return "LC_TIME";
    case Locale::Category::monetary: return "LC_MONETARY";
    case Locale::Category::numeric: return "LC_NUMERIC";
    }
    return "LC_ALL";
}

std::string_view environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

} // namespace

Locale::Locale(std::string_view identifier) {
    icu::Locale parsed(std::string(identifier).c_str());
    if (!parsed.isBogus()) identifier_ = parsed.getName();
}

Locale Locale::fromPosixName(std::string_view name) {
    std::string_view modifier;
    if (auto at = name.find('@'); at != std::string_view::npos) {
        modifier = name.substr(at + 1);
        name = name.substr(0, at);
    }
    if (auto dot = name.find('.'); dot != std::string_view::npos) name = name.substr(0, dot);
    if (name.empty() || name == "C" || name == "POSIX") return Locale("en_US");

    std::string language(name.substr(0, name.find('_')));
    std::string territory;
    if (auto underscore = name.find('_'); underscore != std::string_view::npos)
        territory = name.substr(underscore + 1);
    std::string script;
    if (modifier == "latin") script = "Latn";
    else if (modifier == "cyrillic") script = "Cyrl";

    std::string identifier = language;
    if (!script.empty()) identifier += "_" + script;
    if (!territory.empty()) identifier += "_" + territory;
    return Locale(identifier);
}

Locale Locale::current(Category category) {
    for (const char* variable : {"LC_ALL", categoryVariable(category), "LANG"}) {
        std::string_view value = environmentValue(variable);
        if (!value.empty()) return fromPosixName(value);
    }
    return fromPosixName("C");
}

} // namespace platform
