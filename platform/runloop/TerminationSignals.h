#pragma once

namespace platform {

// SIGTERM, SIGINT and SIGHUP as events for the main loop instead of the
// abrupt end of the process, so that a program ended from outside (kill, a
// logout, Ctrl-C) terminates as if it had quit itself and writes what it has
// not saved yet. A handler notes the signal on a pipe that the loop watches;
// programs the process starts get the usual signal behaviour back at exec.
class TerminationSignals {
public:
    // Installs the handler. Only for a loop that watches descriptor(): the
    // signals would otherwise be swallowed.
    static void capture();
    // Readable once one of the signals arrived; -1 before capture().
    static int descriptor();
    // Takes an arrived signal; false when none is waiting.
    static bool take();
};

} // namespace platform
