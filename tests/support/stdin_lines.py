"""Standard input as lines on a GLib main loop, for the tests' D-Bus stand-ins."""
import os, sys

from gi.repository import GLib


def watch(loop, take_line):
    """Calls take_line with each line read from standard input (its newline
    kept), every line of a burst that arrives at once (a buffered readline
    would keep the later ones from the watch), and quits the loop at its end."""
    pending = b""

    def readable(channel, condition):
        nonlocal pending
        chunk = os.read(sys.stdin.fileno(), 65536)
        if not chunk:
            loop.quit()
            return False
        pending += chunk
        *lines, pending = pending.split(b"\n")
        for line in lines:
            take_line(line.decode() + "\n")
        return True

    GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.PRIORITY_DEFAULT, GLib.IO_IN | GLib.IO_HUP,
                      readable)
