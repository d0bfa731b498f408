#include "platform/runloop/WakeSignal.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace platform {

namespace {

void watch(int epoll, int descriptor) {
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = descriptor;
    ::epoll_ctl(epoll, EPOLL_CTL_ADD, descriptor, &event);
}

} // namespace

WakeSignal::WakeSignal() {
    epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
    event_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    wallTimer_ = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (epoll_ < 0 || event_ < 0 || wallTimer_ < 0) {
        // Without them the loop still works, waking at its fallback interval.
        for (int* descriptor : {&epoll_, &event_, &wallTimer_}) {
            if (*descriptor >= 0) {
                ::close(*descriptor);
            }
            *descriptor = -1;
        }
        return;
    }
    watch(epoll_, event_);
    watch(epoll_, wallTimer_);
}

WakeSignal::~WakeSignal() {
    for (const int descriptor : {epoll_, event_, wallTimer_}) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
}

void WakeSignal::notify() {
    if (event_ >= 0) {
        const std::uint64_t one = 1;
        // A full counter is still readable: nothing is lost by a failed write.
        [[maybe_unused]] const ssize_t written = ::write(event_, &one, sizeof one);
    }
}

void WakeSignal::armWallMoment(std::optional<Date> moment) {
    if (wallTimer_ < 0) {
        return;
    }
    itimerspec when{};
    if (moment) {
        // Zero would disarm the timer: a moment at or before 1970 fires at once.
        const double seconds = std::max(moment->timeIntervalSince1970, 1e-9);
        const double whole = std::floor(std::min(seconds, static_cast<double>(INT32_MAX) * 64));
        when.it_value.tv_sec = static_cast<time_t>(whole);
        when.it_value.tv_nsec = static_cast<long>((seconds - whole) * 1e9);
    }
    // Cancelled on a setting of the clock, which makes it readable too.
    ::timerfd_settime(wallTimer_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr);
}

void WakeSignal::wait(double seconds) const {
    // The fallback when there is no descriptor: short naps.
    constexpr double fallbackWait = 0.05;
    // Far beyond any real wait, and within poll's int milliseconds.
    constexpr double longestWait = 24 * 3600;
    const double bounded = epoll_ < 0 ? std::min(seconds, fallbackWait) : std::min(seconds, longestWait);
    const int milliseconds = static_cast<int>(std::ceil(std::max(0.0, bounded) * 1000));
    if (epoll_ < 0) {
        ::poll(nullptr, 0, milliseconds);
        return;
    }
    pollfd watched{epoll_, POLLIN, 0};
    ::poll(&watched, 1, milliseconds);
}

void WakeSignal::drain() {
    std::uint64_t count = 0;
    if (event_ >= 0) {
        [[maybe_unused]] const ssize_t read = ::read(event_, &count, sizeof count);
    }
    if (wallTimer_ >= 0) {
        // Expired or cancelled by a setting of the clock (ECANCELED): either way taken.
        [[maybe_unused]] const ssize_t read = ::read(wallTimer_, &count, sizeof count);
    }
}

} // namespace platform
