#include "platform/runloop/TerminationSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>

namespace platform {

namespace {

int readEnd = -1;
int writeEnd = -1;

void noteSignal(int) {
    // Only async-signal-safe calls here; a full pipe still reads as pending.
    const int saved = errno;
    const char note = 1;
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &note, 1);
    errno = saved;
}

} // namespace

void TerminationSignals::capture() {
    if (readEnd >= 0) {
        return;
    }
    int ends[2];
    if (::pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0) {
        return; // the signals keep their usual effect
    }
    readEnd = ends[0];
    writeEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(number, &action, nullptr);
    }
}

int TerminationSignals::descriptor() { return readEnd; }

bool TerminationSignals::take() {
    char notes[64];
    bool taken = false;
    while (readEnd >= 0 && ::read(readEnd, notes, sizeof notes) > 0) {
        taken = true;
    }
    return taken;
}

} // namespace platform
