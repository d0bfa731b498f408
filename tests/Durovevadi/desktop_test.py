#!/usr/bin/env python3
"""Durovevadi on a real X desktop: the desktop's dark preference (from the
settings portal) reaches the global defaults as "AppleInterfaceStyle", a
click on the icon flips the desktop's own setting (GNOME's color-scheme, here
in a key file) and the global defaults with it, and a later change in the
portal is followed."""
import os, plistlib, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Durovevadi", "Durovevadi")

xdesktop.skip_without()


def style(home):
    try:
        with open(os.path.join(home, "config", "menulets", ".GlobalPreferences.plist"), "rb") as f:
            return plistlib.load(f).get("AppleInterfaceStyle")
    except FileNotFoundError:
        return None


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    env = desktop.user_env(home, GSETTINGS_BACKEND="keyfile", XDG_CURRENT_DESKTOP="GNOME")
    portal = desktop.spawn(["/usr/bin/python3", os.path.join(os.path.dirname(xdesktop.__file__), "settings_portal.py"),
                            "1"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    assert portal.stdout.readline().decode().strip() == "ready"
    program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
    icon = xdesktop.wait_for(lambda: desktop.docked_icon("Durovevadi"), "Durovevadi's icon in the panel")
    xdesktop.wait_for(lambda: style(home) == "Dark", "the portal's dark preference in the global defaults")

    def desktop_setting():
        return subprocess.run(["gsettings", "get", "org.gnome.desktop.interface", "color-scheme"], env=env,
                              capture_output=True, text=True, timeout=30).stdout

    desktop.click(*icon.centre())
    xdesktop.wait_for(lambda: "'default'" in desktop_setting(), "the desktop's setting made light")
    assert style(home) is None, style(home)

    portal.stdin.write(b"1\n")
    portal.stdin.flush()
    xdesktop.wait_for(lambda: style(home) == "Dark", "the portal's change followed")

    assert desktop.end_with_right_click(program, *icon.centre()) == 0
    errors = program.stderr.read().decode()
    assert "running headless" not in errors, errors
print("ok")
