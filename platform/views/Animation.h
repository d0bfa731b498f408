#pragma once

namespace platform {

// How an animated value moves from its old to its new value. Only the linear
// curve is offered: the value moves evenly over the duration.
class Animation {
public:
    static Animation linear(double duration) { return Animation(duration); }

    double duration() const { return duration_; }

    // The fraction of the way (0...1) after `elapsed` seconds.
    double progress(double elapsed) const {
        if (duration_ <= 0 || elapsed >= duration_) {
            return 1.0;
        }
        return elapsed <= 0 ? 0.0 : elapsed / duration_;
    }

    bool operator==(const Animation&) const = default;

private:
    explicit Animation(double duration) : duration_(duration) {}
    double duration_;
};

} // namespace platform
