#pragma once

#include <map>
#include <optional>
#include <string>

namespace menulets::testing {

// A fresh folder standing in for the user's home for the life of the object:
// HOME, XDG_CONFIG_HOME and XDG_DATA_HOME point into it, so nothing a test
// writes reaches the real ones. Restores the variables and removes the
// folder on destruction.
class TemporaryHome {
public:
    TemporaryHome();
    ~TemporaryHome();
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    const std::string& path() const { return path_; }
    std::string configHome() const { return path_ + "/config"; }
    std::string dataHome() const { return path_ + "/data"; }

private:
    std::string path_;
    std::map<std::string, std::optional<std::string>> saved_;
};

} // namespace menulets::testing
