#!/usr/bin/env python3
"""A status-notifier watcher and host of the tests' own, on the session bus
of DBUS_SESSION_BUS_ADDRESS: it owns org.kde.StatusNotifierWatcher, says a
host is registered, and prints "ready", then "item BUS PATH" for each item
that registers. The tests talk to the items themselves (sni.py).
`sni_watcher.py NAME` stands in for the panel whose process is called NAME
(its command name, as /proc shows it), such as Plasma's "plasmashell"."""
import ctypes, sys

import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

WATCHER = "org.kde.StatusNotifierWatcher"
INTERFACE = Gio.DBusNodeInfo.new_for_xml("""
<node><interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>""").interfaces[0]

items = []


def method_call(connection, sender, path, interface, method, parameters, invocation):
    if method == "RegisterStatusNotifierItem":
        # Items name either their bus name or, as Qt's do, their object path.
        (name,) = parameters.unpack()
        bus, item_path = (sender, name) if name.startswith("/") else (name, "/StatusNotifierItem")
        items.append(bus + item_path)
        print("item", bus, item_path, flush=True)
        connection.emit_signal(None, "/StatusNotifierWatcher", WATCHER, "StatusNotifierItemRegistered",
                               GLib.Variant("(s)", (bus + item_path,)))
    invocation.return_value(None)


def get_property(connection, sender, path, interface, name):
    return {"RegisteredStatusNotifierItems": GLib.Variant("as", items),
            "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
            "ProtocolVersion": GLib.Variant("i", 0)}[name]


def main():
    if len(sys.argv) > 1:
        PR_SET_NAME = 15
        ctypes.CDLL(None).prctl(PR_SET_NAME, sys.argv[1].encode(), 0, 0, 0)
    connection = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    connection.register_object("/StatusNotifierWatcher", INTERFACE, method_call, get_property, None)
    loop = GLib.MainLoop()
    Gio.bus_own_name_on_connection(connection, WATCHER, Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("ready", flush=True), lambda *_: loop.quit())
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, 15, loop.quit)
    loop.run()


if __name__ == "__main__":
    sys.exit(main())
