#!/usr/bin/env python3
"""Console sessions of both list programs on the virtual clock: typing, a
restart, and the stored list read back by plistlib after each run."""
import json, os, plistlib, re, subprocess, sys, tempfile

PROGRAMS = [
    # program, key, placeholder, delete label, add label, text of an added entry, save line, mark
    ("Zivirodevevo", "affirmations", "I affirm to...", "Delete affirmation", "Add affirmation", "New affirmation",
     '"Updating"\n', 0),
    ("DawnList", "dawnLists", "6:00am Make a new plan here", "Delete dawn list", "Add a dawn list", "", "", False),
]


def session(program, home, *commands):
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data", LC_ALL="C")
    done = subprocess.run([os.path.join(sys.argv[1], program, program), "--headless", "--json",
                           "--clock", "2026-06-10T06:00:00Z"], input="\n".join(commands) + "\n",
                          capture_output=True, text=True, env=env, timeout=60)
    assert done.returncode == 0, done
    reports = [json.loads(line) for line in done.stderr.splitlines()]
    failed = [r for r in reports if "error" in r]
    assert not failed, failed
    return done.stdout, reports


def stored(program, home, key):
    with open(os.path.join(home, "config", "menulets", f"dev.menulets.{program}.plist"), "rb") as f:
        return plistlib.loads(plistlib.load(f)[key], fmt=plistlib.FMT_BINARY)


for program, key, placeholder, delete, add, added, line, mark in PROGRAMS:
    with tempfile.TemporaryDirectory() as home:
        # Two edits 100 ms apart cost one save; the entry added just before the
        # right click is written as the program ends.
        stdout, _ = session(program, home, "click", f'type "{placeholder}" First', "advance 0.1",
                            'type First "First one"', "advance 0.5", f'press "{add}"', "right-click")
        assert stdout == line * 2, (program, stdout)
        entries = stored(program, home, key)
        assert [e["text"] for e in entries] == ["First one", added], (program, entries)
        for entry in entries:
            assert list(entry) == ["id", "text", "completed"], (program, entry)
            assert re.fullmatch(r"[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[0-9A-F]{4}-[0-9A-F]{12}", entry["id"]), entry
            assert entry["completed"] == mark and type(entry["completed"]) is type(mark), (program, entry)

        # After a restart the list is shown as saved; the deletion, still
        # waiting when the input ends, is written too.
        stdout, reports = session(program, home, "click", "views", f'context "First one" "{delete}"')
        views = next(r["lines"] for r in reports if r.get("reply") == "views")
        assert [re.sub(r'.*text="(.*)"$', r"\1", l) for l in views if "TextField" in l] == ["First one", added], views
        assert stdout == line, (program, stdout)
        assert stored(program, home, key) == entries[1:], (program, stored(program, home, key))
