#pragma once

#include <functional>
#include <string_view>

namespace Talkclock {

// The sound played when the count reaches the target: "Sosumi" started 13
// times a quarter of a second apart, each start not waiting for the sound
// before it to end. It blocks the thread it plays on for the whole time, so it
// runs on a global queue and touches none of the timer's state.
class Alarm {
public:
    static constexpr std::string_view soundName = "Sosumi";
    static constexpr int repetitions = 13;
    static constexpr double interval = 0.25;

    // Blocks the calling thread for that many seconds.
    using Pause = std::function<void(double seconds)>;

    // Pauses in real time unless told otherwise.
    explicit Alarm(Pause pause = {});

    // Plays the whole alarm on the calling thread. Without the sound each
    // repetition is silent, but the pauses stay.
    void playAlarm() const;
    // Plays it on the user-initiated global queue and returns at once.
    void ring() const;

private:
    Pause pause_;
};

} // namespace Talkclock
