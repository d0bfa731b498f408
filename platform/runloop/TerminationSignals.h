#pragma once

namespace platform {

// SIGTERM, SIGINT and SIGHUP as events for the main loop instead of the
// abrupt end of the process, so that a program ended from outside (kill, a
// logout, Ctrl-C) terminates as if it had quit itself and writes what it has
// not saved yet.
class TerminationSignals {
public:
    // Blocks the signals in the calling thread, and so in every thread it
    // starts afterwards: call it before any other thread exists. Only for a
    // loop that watches descriptor(); the signals would otherwise be ignored.
    static void capture();
    // Readable once one of the signals arrived; -1 before capture().
    static int descriptor();
    // Takes an arrived signal; false when none is waiting.
    static bool take();
};

} // namespace platform
