#!/usr/bin/env python3
"""A desktop notification server of the tests' own: it owns
org.freedesktop.Notifications on the session bus, prints "ready", then one
line for each notification, "notify SUMMARY<tab>BODY", and ends with its
standard input."""
import sys

import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

PATH = "/org/freedesktop/Notifications"
INTERFACE = Gio.DBusNodeInfo.new_for_xml("""
<node><interface name="org.freedesktop.Notifications">
  <method name="Notify">
    <arg type="s" direction="in"/><arg type="u" direction="in"/><arg type="s" direction="in"/>
    <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="as" direction="in"/>
    <arg type="a{sv}" direction="in"/><arg type="i" direction="in"/><arg type="u" direction="out"/>
  </method>
  <method name="GetServerInformation">
    <arg type="s" direction="out"/><arg type="s" direction="out"/><arg type="s" direction="out"/>
    <arg type="s" direction="out"/>
  </method>
</interface></node>""").interfaces[0]

shown = [0]


def method_call(connection, sender, path, interface, method, parameters, invocation):
    if method == "GetServerInformation":
        invocation.return_value(GLib.Variant("(ssss)", ("test", "menulets", "1", "1.2")))
        return
    _, _, _, summary, body, _, _, _ = parameters.unpack()
    print("notify %s\t%s" % (summary, body), flush=True)
    shown[0] += 1
    invocation.return_value(GLib.Variant("(u)", (shown[0],)))


def main():
    connection = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    connection.register_object(PATH, INTERFACE, method_call, None, None)
    loop = GLib.MainLoop()
    GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.PRIORITY_DEFAULT, GLib.IO_IN | GLib.IO_HUP,
                      lambda *_: loop.quit() or False)
    Gio.bus_own_name_on_connection(connection, "org.freedesktop.Notifications", Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("ready", flush=True), lambda *_: loop.quit())
    loop.run()


if __name__ == "__main__":
    sys.exit(main())
