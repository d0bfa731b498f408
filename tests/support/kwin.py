#!/usr/bin/env python3
"""KWin's scripting service of the tests' own, on the session bus of
DBUS_SESSION_BUS_ADDRESS: `kwin.py 5|6` owns org.kde.KWin, takes scripts
through /Scripting (loadScript, start, unloadScript) as Plasma 5.27 or 6
does, and runs a started script under Node against a workspace of that
Plasma's shape (kwin_script_runner.js), making the D-Bus calls the script
makes. It prints "ready", then "loaded NAME", "started" and "unloaded NAME"
as they happen; each line read from standard input is a command for the
running script's workspace (see the runner)."""
import json, os, subprocess, sys, threading

import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import stdin_lines  # noqa: E402

NAME = "org.kde.KWin"
PATH = "/Scripting"
INTERFACE = Gio.DBusNodeInfo.new_for_xml("""
<node><interface name="org.kde.kwin.Scripting">
  <method name="loadScript">
    <arg name="filePath" type="s" direction="in"/><arg name="pluginName" type="s" direction="in"/>
    <arg type="i" direction="out"/>
  </method>
  <method name="start"/>
  <method name="unloadScript"><arg name="pluginName" type="s" direction="in"/><arg type="b" direction="out"/></method>
</interface></node>""").interfaces[0]
RUNNER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "kwin_script_runner.js")


def main():
    plasma = sys.argv[1]
    connection = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    loaded = {}  # plugin name: script path, in load order
    running = []

    def call_out(line):
        # A call the script makes: service, path, interface, method, arguments.
        service, path, interface, method, *arguments = json.loads(line)
        signature = "(" + "s" * len(arguments) + ")"
        connection.call(service, path, interface, method, GLib.Variant(signature, tuple(arguments)), None,
                        Gio.DBusCallFlags.NONE, 5000, None, None)
        return False

    def forward(runner):
        for line in runner.stdout:
            GLib.idle_add(call_out, line)

    def method_call(connection, sender, path, interface, method, parameters, invocation):
        if method == "loadScript":
            script, name = parameters.unpack()
            if name in loaded:
                invocation.return_value(GLib.Variant("(i)", (-1,)))
                return
            loaded[name] = script
            print("loaded " + name, flush=True)
            invocation.return_value(GLib.Variant("(i)", (len(loaded) - 1,)))
        elif method == "start":
            for name, script in loaded.items():
                if name not in [r.name for r in running]:
                    runner = subprocess.Popen(["node", RUNNER, script, plasma], stdin=subprocess.PIPE,
                                              stdout=subprocess.PIPE, text=True)
                    runner.name = name
                    running.append(runner)
                    threading.Thread(target=forward, args=(runner,), daemon=True).start()
            print("started", flush=True)
            invocation.return_value(None)
        elif method == "unloadScript":
            (name,) = parameters.unpack()
            for runner in [r for r in running if r.name == name]:
                runner.terminate()
                running.remove(runner)
            found = loaded.pop(name, None) is not None
            if found:
                print("unloaded " + name, flush=True)
            invocation.return_value(GLib.Variant("(b)", (found,)))

    def command(line):
        for runner in running:
            runner.stdin.write(line)
            runner.stdin.flush()

    connection.register_object(PATH, INTERFACE, method_call, None, None)
    loop = GLib.MainLoop()
    Gio.bus_own_name_on_connection(connection, NAME, Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("ready", flush=True), lambda *_: loop.quit())
    stdin_lines.watch(loop, command)
    loop.run()
    for runner in running:
        runner.terminate()


if __name__ == "__main__":
    sys.exit(main())
