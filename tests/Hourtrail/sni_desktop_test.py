#!/usr/bin/env python3
"""Hourtrail in a status-notifier panel: the panel draws its menu from
dbusmenu, rebuilt as the panel is about to show it, and an entry clicked in
the panel is chosen, also when the panel says the menu closed first."""
import os, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Hourtrail", "Hourtrail")

xdesktop.under_system_python()
xdesktop.skip_without()
import sni  # noqa: E402


def labels(entries):
    return [label for _, label, _, _ in entries]


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop(tray="sni") as desktop:
    env = desktop.user_env(home)
    program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
    item = sni.Item(desktop.env["DBUS_SESSION_BUS_ADDRESS"], *desktop.status_notifier_item())

    # What the console lists for a fresh start, in the same order.
    console = subprocess.run([BINARY, "--headless"], input="menu\n", env=dict(env, HOME=home + "/console"),
                             capture_output=True, text=True, timeout=60)
    assert console.returncode == 0, console
    entries = item.menu_entries()
    shown = [label for label in labels(entries) if label]
    assert shown and shown[-1] == "Quit", entries
    for label in shown:
        assert label.replace("&&", "&") in console.stdout + console.stderr, (label, console)
    item.menu_event(0, "closed")

    # Shown again (rebuilt), closed, and only then the click arrives.
    entries = item.menu_entries()
    quit_id = next(identifier for identifier, label, _, _ in entries if label == "Quit")
    item.menu_event(0, "closed")
    item.menu_event(quit_id, "clicked")
    assert program.wait(timeout=20) == 0
    errors = program.stderr.read().decode()
    assert "running headless" not in errors, errors
print("ok")
