#!/usr/bin/env python3
"""A console session of Hourtrail on the virtual clock, the store read back
by plistlib, then a restart."""
import json
import os
import plistlib
import subprocess
import sys
import tempfile

BINARY = os.path.join(sys.argv[1], "Hourtrail", "Hourtrail")


def run(home, commands):
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
               TZ="UTC", LC_ALL="en_US.UTF-8")
    done = subprocess.run([BINARY, "--headless", "--json", "--clock", "2026-06-10T09:00:00Z"],
                          input="\n".join(commands) + "\n", capture_output=True, text=True, env=env, timeout=60)
    assert done.returncode == 0, done
    return done.stdout, [r["lines"] for r in map(json.loads, done.stderr.splitlines()) if r.get("reply") == "menu"]


with tempfile.TemporaryDirectory() as home:
    stdout, menus = run(home, [
        "frontmost Safari", "script-answer Safari https://www.apple.com/mac/", "advance 120",
        "menu", "advance 30", "close-menu",  # one tick, due while the menu was open, fires as it closes
        'frontmost "Google Chrome"', 'script-error "Google Chrome" -1743 "Not authorized."', "advance 61",
        "frontmost Xcode", "advance 5",  # not reached by the periodic save: written at quit
        "quit",
    ])
    assert stdout == ('"Get Browser URL request failed with error: {\\n    NSAppleScriptErrorAppName = \\"Google Chrome\\";'
                      '\\n    NSAppleScriptErrorBriefMessage = \\"Not authorized.\\";\\n    NSAppleScriptErrorMessage = '
                      '\\"Not authorized.\\";\\n    NSAppleScriptErrorNumber = -1743;\\n}"\n') * 61, stdout[:300]
    assert menus == [['menu "Apps":', "  Safari | 2m >", "    apple.com | 2m", "  -----", "  Pause Tracking",
                      "  Reset Times", "  Quit"]], menus

    with open(os.path.join(home, "config", "menulets", "dev.menulets.Hourtrail.plist"), "rb") as f:
        store = plistlib.loads(plistlib.load(f)["Hourtrail.store"], fmt=plistlib.FMT_BINARY)
    assert list(store) == ["activities", "webActivities"], store
    assert store["activities"] == {"Safari": {"title": "Safari", "accumulated": 121.0},
                                   "Google Chrome": {"title": "Google Chrome", "accumulated": 61.0},
                                   "Xcode": {"title": "Xcode", "accumulated": 5.0}}, store
    assert list(store["activities"]["Xcode"]) == ["title", "accumulated"], store
    assert store["webActivities"] == {"apple.com": {"host": "apple.com", "accumulated": 121.0},
                                      "Unknown Host": {"host": "Unknown Host", "accumulated": 61.0}}, store
    assert list(store["webActivities"]["apple.com"]) == ["host", "accumulated"], store

    _, menus = run(home, ["menu"])
    assert menus[0][1:7] == ["  Safari | 2m >", "    apple.com | 2m", "    Unknown Host | 1m",
                             "  Google Chrome | 1m >", "    apple.com | 2m", "    Unknown Host | 1m"], menus
