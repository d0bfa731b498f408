#!/usr/bin/env python3
"""Hourtrail on a real X desktop with a window manager credits the
application a person works in: one window named by the desktop entry
installed for its program, another (of Python, which no entry names) by its
window class, each activated in
turn with real X requests; the store is read back as it is saved. While
the desktop's screen saver says the session is locked, the time goes to the
lock screen and none to the window that was in front."""
import os, shutil, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402
import hourtrail_store  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Hourtrail", "Hourtrail")

xdesktop.skip_without("openbox", "xprop")

# A window of the given class at the given place; GTK announces its process.
WINDOW = """
import sys, gi
gi.require_version("Gtk", "3.0")
from gi.repository import Gtk
window = Gtk.Window(title=sys.argv[1])
window.set_wmclass(sys.argv[1].lower(), sys.argv[1])
window.set_default_size(200, 100)
window.move(int(sys.argv[2]), 300)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
"""


def store(home):
    return hourtrail_store.activities(os.path.join(home, "config"))


def seconds(home, name):
    return hourtrail_store.seconds(os.path.join(home, "config"), name)


def credited(home, name):
    return seconds(home, name) >= 2


def only_window(desktop, wm_class):
    found = desktop.run(["xdotool", "search", "--onlyvisible", "--class", wm_class], check=False).stdout.split()
    return found[0] if len(found) == 1 else None


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    # A program of its own executable (a copy of Python), installed with a desktop entry that names it.
    os.makedirs(os.path.join(home, "bin"))
    notebook = os.path.join(home, "bin", "notebook")
    shutil.copy(os.path.realpath("/usr/bin/python3"), notebook)
    applications = os.path.join(home, "data", "applications")
    os.makedirs(applications)
    with open(os.path.join(applications, "notebook.desktop"), "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Note Board\nExec=%s %%F\n" % notebook)
    # Only the session's own entries: the machine's could name the programs otherwise.
    env = dict(desktop.env, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
               XDG_DATA_DIRS=home + "/none", XDG_RUNTIME_DIR=home)
    desktop.spawn(["openbox", "--sm-disable"])
    xdesktop.wait_for(lambda: "_NET_SUPPORTING_WM_CHECK" in desktop.run(["xprop", "-root"], check=False).stdout,
                      "the window manager")
    desktop.spawn([notebook, "-c", WINDOW, "Notes", "50"], env=env)
    desktop.spawn(["/usr/bin/python3", "-c", WINDOW, "Tallysheet", "400"], env=env)
    note = xdesktop.wait_for(lambda: only_window(desktop, "Notes"), "the notebook's window")
    tally = xdesktop.wait_for(lambda: only_window(desktop, "Tallysheet"), "the Tallysheet window")
    desktop.run(["xdotool", "windowactivate", "--sync", note])

    program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
    xdesktop.wait_for(lambda: credited(home, "Note Board"), "Note Board credited (saved every 10 s)", 40)
    assert "Tallysheet" not in store(home), store(home)

    desktop.run(["xdotool", "windowactivate", "--sync", tally])
    xdesktop.wait_for(lambda: credited(home, "Tallysheet"), "Tallysheet credited", 40)
    assert "Unknown Name" not in store(home), store(home)

    # Locked: the lock screen is in front, whatever window was before it.
    saver = desktop.spawn(["/usr/bin/python3", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                            "support", "screen_saver.py")],
                          stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    assert saver.stdout.readline().strip() == b"ready"
    saver.stdin.write(b"lock\n")
    saver.stdin.flush()
    assert saver.stdout.readline().strip() == b"locked"
    # What was credited before the lock is saved with the next save.
    before_lock = seconds(home, "Tallysheet")
    xdesktop.wait_for(lambda: seconds(home, "Lock Screen") >= 12, "the lock screen credited", 40)
    assert seconds(home, "Tallysheet") <= before_lock + 11, (before_lock, store(home))
    locked_at = seconds(home, "Tallysheet")
    xdesktop.wait_for(lambda: seconds(home, "Lock Screen") >= 22, "the lock screen credited again", 40)
    assert seconds(home, "Tallysheet") == locked_at, store(home)
    saver.stdin.write(b"unlock\n")
    saver.stdin.flush()
    assert saver.stdout.readline().strip() == b"unlocked"
    xdesktop.wait_for(lambda: seconds(home, "Tallysheet") > locked_at, "Tallysheet credited after the unlock", 40)

    icon = xdesktop.wait_for(lambda: desktop.docked_icon("Hourtrail"), "Hourtrail's icon in the panel")
    assert desktop.quit_from_menu("Hourtrail", program, *icon.centre()) == 0
    errors = program.stderr.read().decode()
    assert "running headless" not in errors and "unknown" not in errors, errors
print("ok")
