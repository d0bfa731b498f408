#!/usr/bin/env python3
"""Hourtrail in KDE Plasma's Wayland session, with Debian's own KWin
running headless: the program loads its script into KWin, and the store
credits each native Wayland window as it comes to the front; the script is
gone from KWin once the program has ended."""
import os, sys, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
import xdesktop  # noqa: E402
import desktop_shells  # noqa: E402
import front_window_session  # noqa: E402

BINARY = os.path.join(sys.argv[1], "Hourtrail", "Hourtrail")

xdesktop.skip_without("kwin_wayland", "gdbus")

with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    kwin = desktop_shells.KWin(desktop, home)
    script = lambda program: "dev.menulets.front-window.%d" % program.pid
    loaded = lambda program: kwin.script_loaded(script(program))
    program, _ = front_window_session.credits_windows_in_turn(
        desktop, kwin, home, BINARY, while_running=lambda program: xdesktop.wait_for(
            lambda: loaded(program), "the program's script loaded in KWin"))
    assert not loaded(program), "the script stayed loaded after the program ended"
print("ok")
