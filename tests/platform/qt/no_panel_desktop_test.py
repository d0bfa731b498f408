#!/usr/bin/env python3
"""A program started where no panel shows status icons says so once, on
standard error and as a desktop notification, with where its drop chip
stands in for the icon (a program without one says only that it waits);
a system tray started later then shows its icon."""
import os, select, subprocess, sys, tempfile, time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
xdesktop.skip_without()


def lines_within(stream, seconds):
    """The lines a stream gives until the deadline."""
    found, deadline = [], time.monotonic() + seconds
    while time.monotonic() < deadline:
        if select.select([stream], [], [], max(0.0, deadline - time.monotonic()))[0]:
            line = stream.readline()
            if not line:
                break
            found.append(line.decode().rstrip("\n"))
    return found


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop(tray=None) as desktop:
    env = desktop.user_env(home)
    notifications = desktop.spawn(["/usr/bin/python3", os.path.join(HERE, "..", "..", "support",
                                                                    "notification_server.py")],
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    assert notifications.stdout.readline().decode().strip() == "ready"

    carryover = desktop.spawn([os.path.join(BUILD, "Carryover", "Carryover")], env=env, stderr=subprocess.PIPE)
    said = lines_within(carryover.stderr, 8)
    waiting = [line for line in said if "No panel here shows status icons" in line]
    assert len(waiting) == 1 and waiting[0].startswith("Carryover: "), said
    assert "its drop chip at the top right of the screen stands in for it" in waiting[0], waiting
    notified = notifications.stdout.readline().decode()
    assert notified.startswith("notify Carryover is waiting for a panel\tNo panel here"), notified
    assert "drop chip at the top right" in notified, notified
    chip = xdesktop.wait_for(lambda: desktop.drop_chip("Carryover"), "Carryover's drop chip")
    assert chip.x > 400 and chip.y < 300, (chip.x, chip.y)

    talkclock = desktop.spawn([os.path.join(BUILD, "Talkclock", "Talkclock")], env=env, stderr=subprocess.PIPE)
    said = lines_within(talkclock.stderr, 8)
    waiting = [line for line in said if "No panel here shows status icons" in line]
    assert len(waiting) == 1 and "drop chip" not in waiting[0], said
    assert notifications.stdout.readline().decode().startswith("notify Talkclock is waiting for a panel\t")

    # A tray started later docks both icons; nothing more is said.
    desktop.spawn(["trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "24"])
    for program in ("Carryover", "Talkclock"):
        xdesktop.wait_for(lambda: desktop.docked_icon(program), program + "'s icon in the tray started later")
    for process in (carryover, talkclock):
        assert not any("panel" in line for line in lines_within(process.stderr, 1))
        process.terminate()
        assert process.wait(timeout=20) == 0
print("ok")
