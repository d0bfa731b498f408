#!/usr/bin/env python3
"""A console session of Blinkbreak on the virtual clock: the status item, a
reminder after 1200 s with its clock half full after 10 s, reminders switched
off and on again, the next reminder replacing the open one, Escape once the
user clicks into the window, and the right click that quits."""
import json, os, subprocess, sys, tempfile

BINARY = os.path.join(sys.argv[1], "Blinkbreak", "Blinkbreak")
failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


def run(home, commands):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data")
    return subprocess.run([BINARY, "--headless", "--json", "--clock", "2026-12-07T09:00:00Z"],
                          input="\n".join(commands) + "\n", capture_output=True, text=True, env=env, timeout=60)


def happenings(records):
    """What the user saw, one short tuple each, with the replies of the view commands."""
    seen = []
    for r in records:
        kind = r.get("event")
        if kind in ("windowShown", "windowClosed"):
            seen.append((kind, r["window"], r["title"]))
        elif kind == "statusItem" and "image" in r:
            seen.append((kind, r["image"]))
        elif kind == "terminate":
            seen.append((kind,))
        elif "error" in r:
            seen.append((r["command"], r["error"]))
        elif r.get("reply") not in (None, "ok", "views", "windows"):
            seen.append((r["command"], r["lines"]))
    return seen


with tempfile.TemporaryDirectory() as home:
    # Window 1 is the launch window, 2 the status item's; reminders count on from 3.
    done = run(home, ["advance 1199", "advance 1", "advance 10", "views", "click", "advance 2400", "click",
                      "advance 1199", "advance 1", "windows", "deactivate", "escape", "focus 4", "escape",
                      "advance 1200", "right-click", "advance 1200"])
    check("exit status", done.returncode, 0)
    check("debug lines: at launch and when the click into the window activates the program", done.stdout,
          '"huh"\n"huh"\n')
    records = [json.loads(line) for line in done.stderr.splitlines()]
    launch = [r for r in records if r.get("event") == "statusItem"][0]
    check("status item", {k: launch[k] for k in ("length", "title", "image", "imageAccessibility", "toolTip",
                                                  "accessibilityHelp", "action", "sendActionOn")},
          {"length": "18", "title": "Stretch Eyes", "image": "eye.fill 18x18 template",
           "imageAccessibility": "Toggle whether to be reminded of eye stretching",
           "toolTip": "Remind me to stretch eyes", "accessibilityHelp": "Stretch Eyes",
           "action": "toggleStretchEyesWithSender:", "sendActionOn": "leftMouseUp|rightMouseUp"})
    reminder = ["ContentView", "ZStack .padding(16) .frame(minWidth: 200, minHeight: 200) .onAppear", "VStack",
                "Clock .frame(width: 60, height: 60) .foregroundColor(systemBlue) .padding(16)", "ZStack .onAppear",
                "Shape Pie(0, -6.28319) fill=systemGray .shadow(black alpha 0.33, radius: 4)",
                "Shape Pie(0, -3.14159) animating", 'Text "Stretch your eyes" .padding(bottom: 8)',
                'Text "\U0001F441\uFE0F \U0001F441\uFE0F" .font(title3)',
                'Button "Hidden" .opacity(0) .keyboardShortcut(cancelAction)']
    window3 = ('window 3 window "Blinkbreak" visible level 3 size 480x270 style '
               'titled|closable|miniaturizable|resizable|fullSizeContentView separator automatic '
               'background windowBackgroundColor collection 1')
    views = [r["lines"] for r in records if r.get("reply") == "views"]
    check("the reminder half way through its sweep",
          [[line.split(" ", 1)[1] if line.lstrip().startswith("/") else line for line in map(str.strip, lines)]
           for lines in views], [[window3] + reminder])
    windows = [r["lines"] for r in records if r.get("reply") == "windows"]
    check("the status item's window stays at level 25, the new reminder floats",
          [line for line in windows[0] if line.startswith("window")],
          ['window 2 status bar window "" visible level 25 size 18x22 style borderless separator automatic '
           'background clear keptWhenClosed', window3.replace("window 3", "window 4")])
    check("what the user saw", happenings(records), [
        ("windowShown", 1, "Blinkbreak"), ("windowClosed", 1, "Blinkbreak"),
        ("statusItem", "eye.fill 18x18 template"),
        ("windowShown", 3, "Blinkbreak"),
        ("statusItem", "eye.slash.fill 20x16 template"),
        ("statusItem", "eye.fill 20x12 template"),
        ("windowClosed", 3, "Blinkbreak"), ("windowShown", 4, "Blinkbreak"),
        ("escape", "no window is key"),
        ("focus", ["window 4 is key"]),
        ("windowClosed", 4, "Blinkbreak"), ("escape", ["Escape pressed the cancel button"]),
        ("windowShown", 5, "Blinkbreak"),
        ("terminate",)])

if failures:
    print("\n".join(failures), "\n--- stderr of the session:\n" + done.stderr)
    sys.exit(1)
print("console session as expected")
