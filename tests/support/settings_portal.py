#!/usr/bin/env python3
"""The settings portal's appearance preference, of the tests' own: it owns
org.freedesktop.portal.Desktop on the session bus, answers Read for
("org.freedesktop.appearance", "color-scheme") with the number given on its
command line, prints "ready", and for each number read on standard input
takes it and emits SettingChanged."""
import sys

import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

SETTINGS = "org.freedesktop.portal.Settings"
PATH = "/org/freedesktop/portal/desktop"
INTERFACE = Gio.DBusNodeInfo.new_for_xml("""
<node><interface name="org.freedesktop.portal.Settings">
  <method name="Read">
    <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/>
  </method>
  <signal name="SettingChanged"><arg type="s"/><arg type="s"/><arg type="v"/></signal>
</interface></node>""").interfaces[0]

scheme = [int(sys.argv[1])]


def method_call(connection, sender, path, interface, method, parameters, invocation):
    group, key = parameters.unpack()
    if (group, key) != ("org.freedesktop.appearance", "color-scheme"):
        invocation.return_dbus_error("org.freedesktop.portal.Error.NotFound", "Requested setting not found")
        return
    # As the real portal does, Read wraps the value in one variant more.
    invocation.return_value(GLib.Variant("(v)", (GLib.Variant("v", GLib.Variant("u", scheme[0])),)))


def main():
    connection = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    connection.register_object(PATH, INTERFACE, method_call, None, None)
    loop = GLib.MainLoop()

    def line_read(channel, condition):
        line = sys.stdin.readline()
        if not line:
            loop.quit()
            return False
        scheme[0] = int(line)
        connection.emit_signal(None, PATH, SETTINGS, "SettingChanged",
                               GLib.Variant("(ssv)", ("org.freedesktop.appearance", "color-scheme",
                                                      GLib.Variant("u", scheme[0]))))
        connection.flush_sync(None)
        return True

    GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.PRIORITY_DEFAULT, GLib.IO_IN | GLib.IO_HUP,
                      line_read)
    Gio.bus_own_name_on_connection(connection, "org.freedesktop.portal.Desktop", Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("ready", flush=True), lambda *_: loop.quit())
    loop.run()


if __name__ == "__main__":
    sys.exit(main())
