#!/usr/bin/env python3
"""Both list programs on a real X desktop with a window manager: a click on
the tray icon opens the list window, text typed into the row reaches the
defaults file (read with plistlib) once typing pauses, a row's context menu
deletes it, and a click on another program's window closes the list window."""
import os, plistlib, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
PROGRAMS = [
    # program, window title, defaults key
    ("Zivirodevevo", "Zivirodevevo", "affirmations"),
    ("DawnList", "Dawn Lists", "dawnLists"),
]

xdesktop.skip_without("openbox", "xprop")


def stored_texts(home, program, key):
    """The entries' texts in the program's defaults file."""
    path = os.path.join(home, "config", "menulets", "dev.menulets.%s.plist" % program)
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        stored = plistlib.load(f).get(key)
    entries = plistlib.loads(stored, fmt=plistlib.FMT_BINARY) if isinstance(stored, bytes) else stored or []
    return [entry.get("text") for entry in entries]


for program, title, key in PROGRAMS:
    with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
        desktop.start_window_manager()
        env = desktop.user_env(home)
        running = desktop.spawn([os.path.join(BUILD, program, program)], env=env, stderr=subprocess.PIPE)
        icon = xdesktop.wait_for(lambda: desktop.docked_icon(program), program + "'s icon in the panel")
        # Another program's window, to click into later.
        desktop.drag_source("link", "https://other.example/", "Other")

        desktop.click(*icon.centre())
        xdesktop.wait_for(lambda: desktop.shown_window(title), "the list window of " + program)
        # Tab reaches the first row's field; the text goes in key by key.
        desktop.keys("Tab")
        desktop.type("Stay curious")
        xdesktop.wait_for(lambda: stored_texts(home, program, key) == ["Stay curious"],
                          "the typed text in %s's defaults file" % program)
        window = desktop.shown_window(title)
        desktop.screenshot(os.path.join(BUILD, "%s-desktop-window.png" % program), window)

        # The context menu opened on the field has the row's delete first, then the field's editing entries.
        desktop.click(window.x + window.width // 2, window.y + 18, button=3)
        desktop.keys("Down", "Return")
        xdesktop.wait_for(lambda: stored_texts(home, program, key) == [], "the row deleted in " + program)

        desktop.click(130, 330)
        xdesktop.wait_for(lambda: desktop.shown_window(title) is None, "the list window of %s closed" % program)
        assert running.poll() is None
        running.terminate()
        assert running.wait(timeout=20) == 0
        errors = running.stderr.read().decode()
        assert "running headless" not in errors, errors
print("ok")
