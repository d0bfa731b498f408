#!/usr/bin/env python3
"""Console sessions of Starhop: a link dropped, opened, kept across a restart
in the defaults file (an archived URL, read back by plistlib), forgotten by an
option-click; refused text and the quit with option held."""
import json, os, plistlib, subprocess, sys, tempfile

BINARY = os.path.join(sys.argv[1], "Starhop", "Starhop")
EMPTY_TIP = "Drag and drop a url onto this"


def session(home, *commands):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data", LC_ALL="C")
    done = subprocess.run([BINARY, "--headless", "--json", "--clock", "2026-12-07T10:00"],
                          input="\n".join(commands) + "\n", capture_output=True, text=True, env=env, timeout=60)
    assert done.returncode == 0 and done.stdout == "", done
    reports = [json.loads(line) for line in done.stderr.splitlines()]
    return [(r["event"], r.get("toolTip", r.get("url"))) if "event" in r else (r["reply"], r["lines"])
            for r in reports if r.get("event") in ("opened", "terminate") or "toolTip" in r or r.get("reply") == "drop"]


def defaults(home):
    with open(os.path.join(home, "config", "menulets", "dev.menulets.Starhop.plist"), "rb") as f:
        return plistlib.load(f)


with tempfile.TemporaryDirectory() as home:
    first = session(home, "click", "drop-url https://a.example/page A", "click",
                    "drop-text https://b.example/", "right-click option")
    assert first == [("statusItem", EMPTY_TIP), ("statusItem", "Open https://a.example/page"),
                     ("drop", ["drop accepted"]), ("opened", "https://a.example/page"),
                     ("drop", ["drop refused: the item takes no drag of these types"]), ("terminate", None)], first

    values = defaults(home)
    assert list(values) == ["StarhopApp.url"], values
    archive = plistlib.loads(values["StarhopApp.url"], fmt=plistlib.FMT_BINARY)
    assert archive["$archiver"] == "NSKeyedArchiver" and archive["$version"] == 100000, archive
    objects = archive["$objects"]
    root = objects[archive["$top"]["root"].data]
    assert objects[root["NS.relative"].data] == "https://a.example/page", archive
    assert objects[root["NS.base"].data] == "$null", archive
    assert objects[root["$class"].data]["$classname"] == "NSURL", archive

    # After the restart the link is still set; an option-click forgets it.
    second = session(home, "click", "click option", "click", "right-click")
    assert second == [("statusItem", "Open https://a.example/page"), ("opened", "https://a.example/page"),
                      ("statusItem", EMPTY_TIP), ("terminate", None)], second
    assert "StarhopApp.url" not in defaults(home), defaults(home)

    third = session(home, "click", "right-click")
    assert third == [("statusItem", EMPTY_TIP), ("terminate", None)], third
print("console sessions as expected")
