#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

// A named system sound.
class Sound {
public:
    // The system sound of that name; null when the system has none.
    static std::shared_ptr<Sound> named(const std::string& name);
    static const std::vector<std::string>& systemSoundNames();

    const std::string& name() const { return name_; }
    // Starts playing; safe from any thread. False when nothing can play it.
    bool play();

private:
    explicit Sound(std::string name) : name_(std::move(name)) {}

    std::string name_;
};

} // namespace platform
