#pragma once

#include <string>

struct ca_context;

namespace platform {

// Named system sounds played from the desktop's sound theme. Without an
// audio device nothing plays, silently. Safe from any thread (libcanberra
// locks its context).
class SoundTheme {
public:
    SoundTheme();
    ~SoundTheme();
    SoundTheme(const SoundTheme&) = delete;
    SoundTheme& operator=(const SoundTheme&) = delete;

    void play(const std::string& systemSoundName);

    // The theme's event name for a system sound name; the theme's bell for
    // a name it has no match for.
    static std::string eventName(const std::string& systemSoundName);

private:
    ca_context* context_ = nullptr;
};

} // namespace platform
