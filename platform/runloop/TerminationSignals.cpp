#include "platform/runloop/TerminationSignals.h"

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace platform {

namespace {

int signalDescriptor = -1;

sigset_t terminationSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

void TerminationSignals::capture() {
    if (signalDescriptor >= 0) {
        return;
    }
    const sigset_t set = terminationSet();
    const int descriptor = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    // Without the descriptor the signals keep their usual effect.
    if (descriptor >= 0 && ::pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0) {
        signalDescriptor = descriptor;
    } else if (descriptor >= 0) {
        ::close(descriptor);
    }
}

int TerminationSignals::descriptor() { return signalDescriptor; }

bool TerminationSignals::take() {
    signalfd_siginfo info{};
    return signalDescriptor >= 0 && ::read(signalDescriptor, &info, sizeof info) == sizeof info;
}

} // namespace platform
