#!/usr/bin/env python3
"""Console sessions of Durovevadi: the icon follows the system appearance, a
click switches it through System Events and prints on standard output, a
failing script changes nothing, a right click quits without switching."""
import json, os, subprocess, sys, tempfile

BINARY = os.path.join(sys.argv[1], "Durovevadi", "Durovevadi")


def session(home, *commands):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data", LC_ALL="C")
    done = subprocess.run([BINARY, "--headless", "--json"], input="\n".join(commands) + "\n",
                          capture_output=True, text=True, env=env, timeout=60)
    assert done.returncode == 0, done
    reports = [json.loads(line) for line in done.stderr.splitlines()]
    seen = [(r["event"], r.get("image", r.get("style"))) if "event" in r else (r["reply"], r["lines"])
            for r in reports if r.get("event") in ("appearance", "terminate") or "image" in r
            or r.get("reply") == "appearance"]
    return done.stdout, seen


with tempfile.TemporaryDirectory() as home:
    printed, seen = session(home, "appearance", "click", "appearance", "click", "right-click")
    assert printed == "Left click!\nLeft click!\n", printed
    assert seen == [("statusItem", "sun.max.fill 18x18 template"), ("appearance", ["light"]),
                    ("appearance", "Dark"), ("statusItem", "moon.stars.fill 15x17 template"), ("appearance", ["dark"]),
                    ("appearance", "Light"), ("statusItem", "sun.max.fill 17x17 template"),
                    ("terminate", None)], seen

    # Set to dark from outside, the next start shows the moon; a refused
    # script still prints, and leaves both as they were.
    session(home, "appearance dark", "quit")
    printed, seen = session(home, 'script-error "System Events" -1743 "Not authorized to send Apple events"',
                            "click", "appearance", "right-click", "appearance")
    assert printed == "Left click!\n", printed
    assert seen == [("statusItem", "moon.stars.fill 18x18 template"), ("statusItem", "moon.stars.fill 15x17 template"),
                    ("appearance", ["dark"]), ("terminate", None)], seen

    printed, seen = session(home, "right-click")
    assert printed == "" and seen == [("statusItem", "moon.stars.fill 18x18 template"), ("terminate", None)], seen
print("console sessions as expected")
