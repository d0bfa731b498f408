#!/usr/bin/env python3
"""A console session of Hourtrail on the virtual clock: the frontmost
application and the browsers' answers set by hand, the report menu, pause
and quit; the store read back with plistlib, then a restart."""
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
    return done.stdout, [json.loads(line) for line in done.stderr.splitlines()]


def menus(reports):
    return [report["lines"] for report in reports if report.get("reply") == "menu"]


def main():
    with tempfile.TemporaryDirectory() as home:
        stdout, reports = run(home, [
            "frontmost Safari",
            "script-answer Safari https://www.apple.com/mac/",
            "advance 120",
            "menu",
            "advance 30",  # the menu is open: nothing is credited
            "close-menu",  # the one tick that fell due fires now
            'frontmost "Google Chrome"',
            'script-error "Google Chrome" -1743 "Not authorized."',
            "advance 61",
            "frontmost loginwindow",
            "advance 10",
            "frontmost Xcode",
            "advance 5",  # not yet saved by the periodic save
            'choose "Pause Tracking"',
            "advance 30",
            "menu",
            "quit",
        ])
        error = ('"Get Browser URL request failed with error: {\\n    NSAppleScriptErrorAppName = \\"Google Chrome\\";'
                 '\\n    NSAppleScriptErrorBriefMessage = \\"Not authorized.\\";\\n    NSAppleScriptErrorMessage = '
                 '\\"Not authorized.\\";\\n    NSAppleScriptErrorNumber = -1743;\\n}"\n')
        assert stdout == error * 61, stdout[:400]
        first, paused = menus(reports)
        # While paused only lines without websites show disabled: a line with a submenu stays enabled.
        assert first == ['menu "Apps":', "  Safari | 2m >", "    apple.com | 2m", "  -----", "  Pause Tracking",
                         "  Reset Times", "  Quit"], first
        assert paused == ['menu "Apps":', "  Safari | 2m >", "    apple.com | 2m", "    Unknown Host | 1m",
                          "  Google Chrome | 1m >", "    apple.com | 2m", "    Unknown Host | 1m",
                          "  -----", "  Resume Tracking", "  Reset Times", "  Quit"], paused
        assert reports[-1] == {"event": "terminate", "status": 0}, reports[-1]

        with open(os.path.join(home, "config", "menulets", "dev.menulets.Hourtrail.plist"), "rb") as f:
            values = plistlib.load(f)
        assert values["Hourtrail.store"].startswith(b"bplist00")
        store = plistlib.loads(values["Hourtrail.store"], fmt=plistlib.FMT_BINARY)
        assert list(store) == ["activities", "webActivities"], store
        assert store["activities"] == {
            "Safari": {"title": "Safari", "accumulated": 121.0},
            "Google Chrome": {"title": "Google Chrome", "accumulated": 61.0},
            "Xcode": {"title": "Xcode", "accumulated": 5.0},
        }, store
        assert store["webActivities"] == {
            "apple.com": {"host": "apple.com", "accumulated": 121.0},
            "Unknown Host": {"host": "Unknown Host", "accumulated": 61.0},
        }, store
        for entry in store["activities"].values():
            assert list(entry) == ["title", "accumulated"] and type(entry["accumulated"]) is float, entry
        for entry in store["webActivities"].values():
            assert list(entry) == ["host", "accumulated"], entry

        # The next start goes on from what was saved, tracking again.
        _, restarted = run(home, ["menu"])
        assert menus(restarted)[0][1:5] == ["  Safari | 2m >", "    apple.com | 2m", "    Unknown Host | 1m",
                                            "  Google Chrome | 1m >"], menus(restarted)
        assert menus(restarted)[0][-3] == "  Pause Tracking", menus(restarted)


if __name__ == "__main__":
    main()
