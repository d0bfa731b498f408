#!/usr/bin/env python3
"""A desktop's screen saver of the tests' own, on the session bus of
DBUS_SESSION_BUS_ADDRESS: it owns org.freedesktop.ScreenSaver, answers
GetActive, prints "ready", and locks or unlocks the session at each line
"lock" or "unlock" read from standard input, announcing it with ActiveChanged
as desktops do."""
import sys

import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

NAME = "org.freedesktop.ScreenSaver"
PATH = "/org/freedesktop/ScreenSaver"
INTERFACE = Gio.DBusNodeInfo.new_for_xml("""
<node><interface name="org.freedesktop.ScreenSaver">
  <method name="GetActive"><arg type="b" direction="out"/></method>
  <signal name="ActiveChanged"><arg type="b"/></signal>
</interface></node>""").interfaces[0]

active = False


def main():
    connection = Gio.bus_get_sync(Gio.BusType.SESSION, None)

    def method_call(connection, sender, path, interface, method, parameters, invocation):
        invocation.return_value(GLib.Variant("(b)", (active,)))

    def command(channel, condition):
        global active
        line = sys.stdin.readline()
        if not line:
            loop.quit()
            return False
        active = line.strip() == "lock"
        connection.emit_signal(None, PATH, NAME, "ActiveChanged", GLib.Variant("(b)", (active,)))
        connection.flush_sync(None)
        print("locked" if active else "unlocked", flush=True)
        return True

    connection.register_object(PATH, INTERFACE, method_call, None, None)
    loop = GLib.MainLoop()
    Gio.bus_own_name_on_connection(connection, NAME, Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("ready", flush=True), lambda *_: loop.quit())
    GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.PRIORITY_DEFAULT, GLib.IO_IN | GLib.IO_HUP,
                      command)
    loop.run()


if __name__ == "__main__":
    sys.exit(main())
