#!/usr/bin/env python3
"""GNOME Shell of the tests' own, for its extensions, on the session bus of
DBUS_SESSION_BUS_ADDRESS: `gnome_shell.py VERSION EXTENSION_FOLDER` owns
org.gnome.Shell, serves its ShellVersion, and runs the extension under Node
(gnome_shell_runner.mjs), serving on the bus what it exports: the calls it
answers and the signals it emits. `gnome_shell.py VERSION --disabled` owns
the name with no extension. It
prints "ready" once the extension's object is served; each line of standard
input is a command for the extension's display (see the runner)."""
import json, os, subprocess, sys, threading

import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import stdin_lines  # noqa: E402

NAME = "org.gnome.Shell"
SHELL = Gio.DBusNodeInfo.new_for_xml("""
<node><interface name="org.gnome.Shell">
  <property name="ShellVersion" type="s" access="read"/>
</interface></node>""").interfaces[0]
SUPPORT = os.path.dirname(os.path.abspath(__file__))


def main():
    version = sys.argv[1]
    folder = None if sys.argv[2] == "--disabled" else sys.argv[2]
    connection = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    connection.register_object("/org/gnome/Shell", SHELL, None,
                               lambda *_: GLib.Variant("s", version), None)
    loop = GLib.MainLoop()
    runner = None
    exported = {}  # path, interface name, registration id
    waiting = []  # invocations of calls the extension is yet to answer

    def method_call(connection, sender, path, interface, method, parameters, invocation):
        waiting.append(invocation)
        runner.stdin.write(json.dumps({"call": method}) + "\n")
        runner.stdin.flush()

    def handle(line):
        message = json.loads(line)
        if message[0] == "export":
            _, _, path, xml = message
            info = Gio.DBusNodeInfo.new_for_xml(xml).interfaces[0]
            exported.update(path=path, interface=info.name,
                            id=connection.register_object(path, info, method_call, None, None))
            print("ready", flush=True)
        elif message[0] == "unexport":
            connection.unregister_object(exported.pop("id"))
        elif message[0] == "signal":
            _, name, signature, *values = message
            connection.emit_signal(None, exported["path"], exported["interface"], name,
                                   GLib.Variant(signature, tuple(values)))
        elif message[0] == "reply":
            waiting.pop(0).return_value(GLib.Variant("(" + "s" * (len(message) - 1) + ")", tuple(message[1:])))
        return False

    def forward():
        for line in runner.stdout:
            GLib.idle_add(handle, line)

    def command(line):
        if runner:
            runner.stdin.write(line)
            runner.stdin.flush()

    def name_acquired(*_):
        nonlocal runner
        if folder is None:
            print("ready", flush=True)
            return
        runner = subprocess.Popen(["node", "--no-warnings", "--experimental-loader",
                                   os.path.join(SUPPORT, "gnome_shell_loader.mjs"),
                                   os.path.join(SUPPORT, "gnome_shell_runner.mjs"), folder],
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        threading.Thread(target=forward, daemon=True).start()

    Gio.bus_own_name_on_connection(connection, NAME, Gio.BusNameOwnerFlags.NONE, name_acquired,
                                   lambda *_: loop.quit())
    stdin_lines.watch(loop, command)
    loop.run()
    if runner:
        runner.terminate()


if __name__ == "__main__":
    sys.exit(main())
