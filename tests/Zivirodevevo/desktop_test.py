#!/usr/bin/env python3
"""Zivirodevevo on a real X desktop with a window manager: a click on its
tray icon opens its list window, text typed into the row reaches the
defaults file (read with plistlib) once typing pauses, and a click on
another program's window closes the list window."""
import os, plistlib, shutil, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Zivirodevevo", "Zivirodevevo")

missing = xdesktop.missing_tools() + [tool for tool in ["openbox", "xprop"] if shutil.which(tool) is None]
if missing:
    print("skipped: no " + ", ".join(missing))
    sys.exit(0)


def stored_texts(home):
    """The entries' texts in the program's defaults file."""
    path = os.path.join(home, "config", "menulets", "dev.menulets.Zivirodevevo.plist")
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        values = plistlib.load(f)
    stored = values.get("affirmations")
    entries = plistlib.loads(stored, fmt=plistlib.FMT_BINARY) if isinstance(stored, bytes) else stored or []
    return [entry.get("text") for entry in entries]


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    desktop.start_window_manager()
    env = dict(desktop.env, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
               XDG_RUNTIME_DIR=home)
    program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
    icon = xdesktop.wait_for(lambda: desktop.docked_icon("Zivirodevevo"), "Zivirodevevo's icon in the panel")
    # Another program's window, to click into later.
    other = desktop.drag_source("link", "https://other.example/", "Other")

    desktop.click(*icon.centre())
    window = xdesktop.wait_for(lambda: desktop.shown_window("Zivirodevevo"), "the list window")
    # Tab reaches the first row's field; the text goes in key by key.
    desktop.keys("Tab")
    desktop.type("Stay curious")
    xdesktop.wait_for(lambda: stored_texts(home) == ["Stay curious"], "the typed text in the defaults file")
    desktop.screenshot(os.path.join(BUILD, "Zivirodevevo-desktop-window.png"), desktop.shown_window("Zivirodevevo"))

    desktop.click(130, 330)
    xdesktop.wait_for(lambda: desktop.shown_window("Zivirodevevo") is None, "the list window closed")
    assert program.poll() is None
    program.terminate()
    assert program.wait(timeout=20) == 0
    errors = program.stderr.read().decode()
    assert "running headless" not in errors, errors
print("ok")
