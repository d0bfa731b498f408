#include "Talkclock/Alarm.h"

#include "platform/appkit/Sound.h"
#include "platform/runloop/DispatchQueue.h"

#include <chrono>
#include <string>
#include <thread>
#include <utility>

namespace Talkclock {

Alarm::Alarm(Pause pause) : pause_(std::move(pause)) {
    if (!pause_) {
        pause_ = [](double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); };
    }
}

void Alarm::playAlarm() const {
    for (int played = 0; played < repetitions; ++played) {
        if (auto sound = platform::Sound::named(std::string(soundName))) {
            sound->play();
        }
        pause_(interval);
    }
}

void Alarm::ring() const {
    platform::DispatchQueue::global(platform::QualityOfService::userInitiated).async([alarm = *this] {
        alarm.playAlarm();
    });
}

} // namespace Talkclock
