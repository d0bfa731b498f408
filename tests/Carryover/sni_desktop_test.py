#!/usr/bin/env python3
"""Carryover in a status-notifier panel: its item registers with the panel,
also with a panel that comes up just after the program (as both do at
login), shows its tooltip, and the panel's Activate (with Alt held on the keyboard)
or SecondaryActivate (a middle click) and ContextMenu do what the console's
click option and right-click do."""
import os, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Carryover", "Carryover")

xdesktop.under_system_python()
xdesktop.skip_without()
import sni  # noqa: E402


def opened(home):
    path = os.path.join(home, "opened.txt")
    return open(path).read().split() if os.path.exists(path) else []


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop(tray=None) as desktop:
    env = desktop.user_env(home, PATH=home + "/bin:" + desktop.env["PATH"])
    os.makedirs(home + "/bin")
    with open(home + "/bin/xdg-open", "w") as f:
        f.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s/opened.txt"\n' % home)
    os.chmod(home + "/bin/xdg-open", 0o755)
    prepared = subprocess.run([BINARY, "--headless"], input='drop-url https://new.example/ "New page"\nright-click\n',
                              env=env, capture_output=True, text=True, timeout=60)
    assert prepared.returncode == 0, prepared

    program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
    desktop.start_status_notifier_panel()
    item = sni.Item(desktop.env["DBUS_SESSION_BUS_ADDRESS"], *desktop.status_notifier_item())
    xdesktop.wait_for(lambda: "\n1 links pending" in item.property("ToolTip")[2], "the tooltip")
    tooltip = item.property("ToolTip")[2]
    assert tooltip.startswith("Drop a link here to save it.") and tooltip.endswith("Middle click: Alt+click"), tooltip
    assert item.property("IconPixmap"), "no icon"

    # The protocol carries no keys: the held Alt is read from the display.
    desktop.run(["xdotool", "keydown", "alt"])
    item.activate()
    xdesktop.wait_for(lambda: opened(home) == ["https://new.example/"], "the pending link opened")
    desktop.run(["xdotool", "keyup", "alt"])
    xdesktop.wait_for(lambda: "\n0 links pending" in item.property("ToolTip")[2], "the tooltip updated")

    # A middle click is the Alt-click a panel without keys can send.
    handed = subprocess.run([BINARY, "--drop-url", "https://later.example/"], env=env, timeout=30)
    assert handed.returncode == 0, handed
    item.secondary_activate()
    xdesktop.wait_for(lambda: opened(home) == ["https://new.example/", "https://later.example/"],
                      "today's link opened by a middle click")

    item.context_menu()
    assert program.wait(timeout=20) == 0
    errors = program.stderr.read().decode()
    assert "running headless" not in errors, errors
print("ok")
