#!/usr/bin/env python3
"""The drop chips of every program that takes drops, started at once as at
login: each is shown, no two cover each other, and a real drag onto each
chip lands in that program and no other. Started again, each chip is where
it was."""
import os, plistlib, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
# The programs whose status item takes drags.
PROGRAMS = ["Carryover", "Folderdock", "Pricetray", "Starhop", "Urlstash"]

xdesktop.skip_without()


def overlap(a, b):
    return a.x < b.x + b.width and b.x < a.x + a.width and a.y < b.y + b.height and b.y < a.y + a.height


def defaults(home, program):
    path = os.path.join(home, "config", "menulets", "dev.menulets.%s.plist" % program)
    if not os.path.exists(path):
        return {}
    with open(path, "rb") as f:
        return plistlib.load(f)


def archived_url(home, program, key):
    """The URL a program keeps archived under `key`, or None."""
    if key not in defaults(home, program):
        return None
    archive = plistlib.loads(defaults(home, program)[key], fmt=plistlib.FMT_BINARY)
    root = archive["$objects"][archive["$top"]["root"].data]
    return archive["$objects"][root["NS.relative"].data]


def carried_links(home):
    store = defaults(home, "Carryover").get("Carryover.store")
    return [entry["link"]["relative"] for entry in plistlib.loads(store)["newLinks"]] if store else []


def stashed(home):
    path = os.path.join(home, "data", "dev.menulets.Urlstash", "Links", "links.txt")
    return open(path, encoding="utf-8").read() if os.path.exists(path) else ""


def drop_on_each(desktop, home, chips):
    """A link dragged onto each link-taking chip, a folder onto Folderdock's;
    each arrives where its program keeps it, and nowhere else."""
    folder = os.path.join(home, "Applications")
    os.makedirs(folder)
    links = {name: "https://%s.example/dropped" % name.lower() for name in PROGRAMS}
    arrived = {
        "Carryover": lambda: carried_links(home) == [links["Carryover"]],
        # Kept as a path from the home folder.
        "Folderdock": lambda: archived_url(home, "Folderdock", "Folderdock.appDirectory") == "~/Applications/",
        "Starhop": lambda: archived_url(home, "Starhop", "StarhopApp.url") == links["Starhop"],
        "Urlstash": lambda: links["Urlstash"] in stashed(home),
        # Pricetray asks for the price first; its window is last, as it may cover what is behind it.
        "Pricetray": lambda: desktop.shown_window("Price Tray"),
    }
    for name, condition in arrived.items():
        offer = ("file", folder) if name == "Folderdock" else ("link", links[name], name + " page")
        source = desktop.drag_source(*offer)
        desktop.drop((130, 330), chips[name].centre(), condition, "the drop on %s's chip" % name)
        desktop.end_source(source)
    assert carried_links(home) == [links["Carryover"]], carried_links(home)
    assert archived_url(home, "Starhop", "StarhopApp.url") == links["Starhop"]
    assert [line for line in stashed(home).splitlines() if "example" in line] == [
        "- [Urlstash page](%s) " % links["Urlstash"]], stashed(home)


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
    # Kept in a property list of their own, one distinct slot each.
    with open(os.path.join(home, "config", "menulets", "drop-chips.plist"), "rb") as f:
        kept = plistlib.load(f)
    assert sorted(key.split(".")[-1].split("/")[0] for key in kept) == PROGRAMS, kept
    assert sorted(chip["slot"] for chip in kept.values()) == list(range(len(PROGRAMS))), kept
    drop_on_each(desktop, home, chips)
    for program in programs:
        program.terminate()
        program.wait(timeout=20)

    _, again = start_all(desktop, env)
    for name in PROGRAMS:
        assert (again[name].x, again[name].y) == (chips[name].x, chips[name].y), name
print("ok")
