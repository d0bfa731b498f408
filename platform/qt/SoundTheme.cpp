#include "platform/qt/SoundTheme.h"

#include <canberra.h>

#include <map>

namespace platform {

namespace {

constexpr const char* bell = "bell";

} // namespace

SoundTheme::SoundTheme() {
    if (ca_context_create(&context_) != CA_SUCCESS) {
        context_ = nullptr;
    }
}

SoundTheme::~SoundTheme() {
    if (context_ != nullptr) {
        ca_context_destroy(context_);
    }
}

std::string SoundTheme::eventName(const std::string& systemSoundName) {
    static const std::map<std::string, std::string> events{
        {"Glass", "complete"},
        {"Sosumi", "alarm-clock-elapsed"},
        {"Ping", "message-new-instant"},
        {"Basso", "dialog-error"},
    };
    auto found = events.find(systemSoundName);
    return found == events.end() ? bell : found->second;
}

void SoundTheme::play(const std::string& systemSoundName) {
    if (context_ == nullptr) {
        return;
    }
    const std::string event = eventName(systemSoundName);
    const int result = ca_context_play(context_, 0, CA_PROP_EVENT_ID, event.c_str(), nullptr);
    if (result == CA_ERROR_NOTFOUND && event != bell) {
        ca_context_play(context_, 0, CA_PROP_EVENT_ID, bell, nullptr);
    }
}

} // namespace platform
