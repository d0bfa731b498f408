#!/usr/bin/env python3
"""Carryover's drop chip on a real X desktop: a link dragged with real
pointer input from another program that offers what a browser offers lands
in the store with its title, a file dragged as a file manager does arrives
as its file URL, and the tray icon itself takes drops too; dragging the chip itself moves it, a middle click hides it, and both are
kept for the next start; starting the program again shows the hidden chip."""
import os, plistlib, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Carryover", "Carryover")

xdesktop.skip_without()


def store(home):
    path = os.path.join(home, "config", "menulets", "dev.menulets.Carryover.plist")
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        values = plistlib.load(f)
    return plistlib.loads(values["Carryover.store"], fmt=plistlib.FMT_BINARY) if "Carryover.store" in values else None


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    env = desktop.user_env(home)
    program = desktop.spawn([BINARY], env=env)
    icon = xdesktop.wait_for(lambda: desktop.docked_icon("Carryover"), "Carryover's icon in the panel")
    found = xdesktop.wait_for(lambda: desktop.drop_chip("Carryover", icon), "the drop chip")

    source = desktop.drag_source("link", "https://dropped.example/page?q=1", "Dropped – page")
    desktop.drop((130, 330), found.centre(), lambda: store(home) and store(home)["newLinks"], "the dropped link")
    assert store(home)["newLinks"] == [
        {"link": {"relative": "https://dropped.example/page?q=1"}, "title": "Dropped – page"}], store(home)
    desktop.screenshot(os.path.join(BUILD, "Carryover-desktop-chip.png"), found)

    # A file from a file manager arrives as its file URL.
    desktop.end_source(source)
    notes = os.path.join(home, "my notes.txt")
    open(notes, "w").close()
    source = desktop.drag_source("file", notes)
    desktop.drop((130, 330), found.centre(), lambda: len(store(home)["newLinks"]) >= 2, "the dropped file")
    links = store(home)["newLinks"]
    assert len(links) == 2 and links[1]["link"]["relative"] == "file://" + home.replace(" ", "%20") + "/my%20notes.txt", links
    desktop.end_source(source)

    # The icon docked in the panel takes drops as well.
    source = desktop.drag_source("link", "https://icon.example/", "On the icon")
    desktop.drop((130, 330), icon.centre(), lambda: len(store(home)["newLinks"]) >= 3,
                 "the link dropped on the tray icon")
    links = store(home)["newLinks"]
    assert len(links) == 3 and links[2] == {"link": {"relative": "https://icon.example/"}, "title": "On the icon"}, links
    desktop.end_source(source)

    # The chip moves with the pointer and keeps its place across a restart.
    desktop.drag(found.centre(), (300, 200))
    moved = xdesktop.wait_for(lambda: (lambda w: w if w and (w.x, w.y) != (found.x, found.y) else None)(
        desktop.drop_chip("Carryover", icon)), "the chip moved")
    assert abs(moved.x + 20 - 300) <= 4 and abs(moved.y + 20 - 200) <= 4, (moved.x, moved.y)
    assert program.poll() is None, "moving the chip is no click"
    assert desktop.end_with_right_click(program, *moved.centre()) == 0, "a right click on the chip is the item's right click"

    program = desktop.spawn([BINARY], env=env)
    icon = xdesktop.wait_for(lambda: desktop.docked_icon("Carryover"), "Carryover's icon again")
    again = xdesktop.wait_for(lambda: desktop.drop_chip("Carryover", icon), "the chip again")
    assert (again.x, again.y) == (moved.x, moved.y), ((again.x, again.y), (moved.x, moved.y))

    # A middle click hides the chip, for this run and the next; starting the program again brings it back.
    desktop.click(*again.centre(), button=2)
    xdesktop.wait_for(lambda: desktop.drop_chip("Carryover", icon) is None, "the chip hidden")
    assert program.poll() is None
    assert desktop.end_with_right_click(program, *icon.centre()) == 0
    program = desktop.spawn([BINARY], env=env)
    icon = xdesktop.wait_for(lambda: desktop.docked_icon("Carryover"), "Carryover's icon a third time")
    # A request answered by the program means it has run the turns that would have shown the chip.
    handed = subprocess.run([BINARY, "--drop-url", "https://after.example/"], env=env, timeout=30)
    assert handed.returncode == 0 and desktop.drop_chip("Carryover", icon) is None, "the chip stays hidden"
    second = subprocess.run([BINARY], env=env, capture_output=True, text=True, timeout=30)
    assert second.returncode == 0 and "already running" in second.stderr, second
    shown = xdesktop.wait_for(lambda: desktop.drop_chip("Carryover", icon), "the chip shown again")
    assert (shown.x, shown.y) == (moved.x, moved.y)
    assert desktop.end_with_right_click(program, *icon.centre()) == 0
print("ok")
