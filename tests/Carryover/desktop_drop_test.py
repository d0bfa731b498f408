#!/usr/bin/env python3
"""Carryover's drop chip on a real X desktop: a link dragged with real
pointer input from another program that offers what a browser offers lands
in the store with its title, a file dragged as a file manager does arrives
as its file URL; dragging the chip itself moves it, and the
place is kept for the next start."""
import os, plistlib, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Carryover", "Carryover")
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support", "drag_source.py")

if xdesktop.missing_tools() or subprocess.run(["/usr/bin/python3", "-c", "import gi; gi.require_version('Gtk', '3.0')"],
                                              capture_output=True).returncode != 0:
    print("skipped: no " + ", ".join(xdesktop.missing_tools() or ["GTK for Python"]))
    sys.exit(0)


def store(home):
    path = os.path.join(home, "config", "menulets", "dev.menulets.Carryover.plist")
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        values = plistlib.load(f)
    return plistlib.loads(values["Carryover.store"], fmt=plistlib.FMT_BINARY) if "Carryover.store" in values else None


def chip(desktop, icon):
    shown = desktop.visible_windows("Carryover")
    return next((w for w in desktop.windows() if w.wid in shown and w.wid != icon.wid and w.width == 40), None)


def drag(desktop, start, end):
    """A person's drag: press, move in small steps, release."""
    command = ["xdotool", "mousemove", str(start[0]), str(start[1]), "mousedown", "1"]
    for step in range(1, 11):
        x = start[0] + (end[0] - start[0]) * step // 10
        y = start[1] + (end[1] - start[1]) * step // 10
        command += ["sleep", "0.1", "mousemove", str(x), str(y)]
    command += ["sleep", "0.2", "mouseup", "1"]
    desktop.run(command)


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    env = dict(desktop.env, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
               XDG_RUNTIME_DIR=home)
    program = desktop.spawn([BINARY], env=env)
    icon = xdesktop.wait_for(lambda: desktop.docked_icon("Carryover"), "Carryover's icon in the panel")
    found = xdesktop.wait_for(lambda: chip(desktop, icon), "the drop chip")

    source = desktop.spawn(["/usr/bin/python3", SOURCE, "100", "300", "link", "https://dropped.example/page?q=1",
                            "Dropped – page"], stdout=subprocess.PIPE)
    assert source.stdout.readline().decode().strip() == "ready"
    drag(desktop, (130, 330), found.centre())
    xdesktop.wait_for(lambda: store(home) and store(home)["newLinks"] == [
        {"link": {"relative": "https://dropped.example/page?q=1"}, "title": "Dropped – page"}], "the dropped link")
    desktop.screenshot(os.path.join(BUILD, "Carryover-desktop-chip.png"), found)

    # A file from a file manager arrives as its file URL.
    source.terminate()
    notes = os.path.join(home, "my notes.txt")
    open(notes, "w").close()
    source = desktop.spawn(["/usr/bin/python3", SOURCE, "100", "300", "file", notes], stdout=subprocess.PIPE)
    assert source.stdout.readline().decode().strip() == "ready"
    drag(desktop, (130, 330), found.centre())
    xdesktop.wait_for(lambda: len(store(home)["newLinks"]) == 2, "the dropped file")
    assert store(home)["newLinks"][1]["link"]["relative"] == "file://" + home.replace(" ", "%20") + "/my%20notes.txt", \
        store(home)
    source.terminate()

    # The chip moves with the pointer and keeps its place across a restart.
    drag(desktop, found.centre(), (300, 200))
    moved = xdesktop.wait_for(lambda: (lambda w: w if w and (w.x, w.y) != (found.x, found.y) else None)(
        chip(desktop, icon)), "the chip moved")
    assert abs(moved.x + 20 - 300) <= 4 and abs(moved.y + 20 - 200) <= 4, (moved.x, moved.y)
    assert program.poll() is None, "moving the chip is no click"
    desktop.click(*moved.centre(), button=3)
    assert program.wait(timeout=20) == 0, "a right click on the chip is the item's right click"

    program = desktop.spawn([BINARY], env=env)
    icon = xdesktop.wait_for(lambda: desktop.docked_icon("Carryover"), "Carryover's icon again")
    again = xdesktop.wait_for(lambda: chip(desktop, icon), "the chip again")
    assert (again.x, again.y) == (moved.x, moved.y), ((again.x, again.y), (moved.x, moved.y))
    desktop.click(*again.centre(), button=3)
    assert program.wait(timeout=20) == 0
print("ok")
