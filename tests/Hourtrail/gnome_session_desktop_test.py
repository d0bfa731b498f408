#!/usr/bin/env python3
"""Hourtrail in GNOME's Wayland session, with Debian's own GNOME Shell
running headless and the suite's Shell extension, as the build makes it for
that GNOME, installed and enabled: the store credits each native Wayland
window as it comes to the front."""
import os, subprocess, sys, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
import xdesktop  # noqa: E402
import desktop_shells  # noqa: E402
import front_window_session  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Hourtrail", "Hourtrail")
EXTENSIONS = os.path.join(BUILD, "share", "gnome-shell", "extensions")

xdesktop.skip_without("gnome-shell", "gdbus")

version = int(subprocess.run(["gnome-shell", "--version"], capture_output=True, text=True)
              .stdout.split()[-1].split(".")[0])
uuid = "front-window@menulets.dev" if version >= 45 else "front-window-legacy@menulets.dev"
with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    shell = desktop_shells.GnomeShell(desktop, home, {uuid: os.path.join(EXTENSIONS, uuid)})
    front_window_session.credits_windows_in_turn(desktop, shell, home, BINARY)
print("ok")
