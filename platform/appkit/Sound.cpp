#include "platform/appkit/Sound.h"

#include "platform/appkit/Backend.h"

#include <algorithm>

namespace platform {

const std::vector<std::string>& Sound::systemSoundNames() {
    static const std::vector<std::string> names{"Glass", "Sosumi"};
    return names;
}

std::shared_ptr<Sound> Sound::named(const std::string& name) {
    const auto& names = systemSoundNames();
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        return nullptr;
    }
    return std::shared_ptr<Sound>(new Sound(name));
}

bool Sound::play() {
    auto* backend = Backend::installed();
    if (backend == nullptr) {
        return false;
    }
    backend->playSound(name_);
    return true;
}

} // namespace platform
