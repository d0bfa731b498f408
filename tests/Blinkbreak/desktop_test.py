#!/usr/bin/env python3
"""Blinkbreak installed on a real X desktop: its desktop entry registers the
blinkbreak: scheme, so `xdg-open blinkbreak://Blinkbreak` hands the URL to the
running program, which opens one reminder window and leaves the keyboard with
the window the person is in; the blue sector of its clock grows between
two screenshots; once clicked into, Escape closes it."""
import os, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]

xdesktop.skip_without("openbox", "xprop", "xdg-open", "xdg-mime")


def blue(r, g, b):
    """The clock's sector: the system blue."""
    return b > 200 and r < 90 and 90 < g < 160


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    prefix = os.path.join(home, "prefix")
    subprocess.run(["cmake", "--install", BUILD, "--prefix", prefix], check=True, capture_output=True)
    env = dict(desktop.env, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
               XDG_DATA_DIRS=prefix + "/share:/usr/share", XDG_RUNTIME_DIR=home,
               PATH=prefix + "/bin:" + desktop.env["PATH"])
    # As a desktop does when the entry is installed: its scheme goes to it.
    subprocess.run(["xdg-mime", "default", "dev.menulets.Blinkbreak.desktop", "x-scheme-handler/blinkbreak"],
                   env=env, check=True)
    desktop.start_window_manager()
    program = desktop.spawn([os.path.join(prefix, "bin", "Blinkbreak")], env=env, stderr=subprocess.PIPE)
    xdesktop.wait_for(lambda: desktop.docked_icon("Blinkbreak"), "Blinkbreak's icon in the panel")

    # The person is working in another program's window.
    desktop.drag_source("link", "https://other.example/", "Other")
    desktop.click(130, 330)
    working = xdesktop.wait_for(lambda: desktop.run(["xdotool", "getactivewindow"], check=False).stdout.strip(),
                                "the other window focused")

    opened = subprocess.run(["xdg-open", "blinkbreak://Blinkbreak"], env=env, capture_output=True, text=True,
                            timeout=30)
    assert opened.returncode == 0, opened
    window = xdesktop.wait_for(lambda: desktop.shown_window("Blinkbreak"), "the reminder window")
    shown = desktop.run(["xdotool", "search", "--onlyvisible", "--name", "^Blinkbreak$"]).stdout.split()
    assert len(shown) == 1, shown
    # The keyboard stays with the window the person works in.
    assert desktop.run(["xdotool", "getactivewindow"]).stdout.strip() == working, "the reminder took the focus"

    first = desktop.count_pixels(window, blue)
    xdesktop.wait_for(lambda: desktop.count_pixels(window, blue) > first + 20, "the sector growing")
    desktop.screenshot(os.path.join(BUILD, "Blinkbreak-desktop-reminder.png"), window)

    desktop.click(*window.centre())
    desktop.keys("Escape")
    xdesktop.wait_for(lambda: desktop.shown_window("Blinkbreak") is None, "the reminder closed by Escape")
    assert program.poll() is None
    program.terminate()
    assert program.wait(timeout=20) == 0
    errors = program.stderr.read().decode()
    assert "running headless" not in errors, errors
print("ok")
