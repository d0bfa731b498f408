#include "tests/support/TemporaryHome.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace menulets::testing {

TemporaryHome::TemporaryHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "menulets-home-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary home folder");
    }
    path_ = pattern;
    const std::map<std::string, std::string> variables = {
        {"HOME", path_}, {"XDG_CONFIG_HOME", configHome()}, {"XDG_DATA_HOME", dataHome()}};
    for (const auto& [name, value] : variables) {
        const char* old = std::getenv(name.c_str());
        saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        ::setenv(name.c_str(), value.c_str(), 1);
    }
}

TemporaryHome::~TemporaryHome() {
    for (const auto& [name, value] : saved_) {
        if (value) {
            ::setenv(name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace menulets::testing
