#!/usr/bin/env python3
"""The drop chips of every program that takes drops, started at once as at
login: each is shown, and no two cover each other. Started again, each chip
is where it was."""
import os, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
# The programs whose status item takes drags.
PROGRAMS = ["Carryover", "Folderdock", "Pricetray", "Starhop", "Urlstash"]

xdesktop.skip_without()


def overlap(a, b):
    return a.x < b.x + b.width and b.x < a.x + a.width and a.y < b.y + b.height and b.y < a.y + a.height


def start_all(desktop, env):
    programs = [desktop.spawn([os.path.join(BUILD, name, name)], env=env) for name in PROGRAMS]
    chips = {}
    for name in PROGRAMS:
        icon = xdesktop.wait_for(lambda: desktop.docked_icon(name), name + "'s icon")
        chips[name] = xdesktop.wait_for(lambda: desktop.drop_chip(name, icon), name + "'s chip")
    return programs, chips


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    env = desktop.user_env(home)
    programs, chips = start_all(desktop, env)
    for first in PROGRAMS:
        for second in PROGRAMS:
            if first < second:
                assert not overlap(chips[first], chips[second]), (first, second, vars(chips[first]),
                                                                  vars(chips[second]))
    for program in programs:
        program.terminate()
        program.wait(timeout=20)

    _, again = start_all(desktop, env)
    for name in PROGRAMS:
        assert (again[name].x, again[name].y) == (chips[name].x, chips[name].y), name
print("ok")
