#!/usr/bin/env python3
"""Console sessions of Talkclock on the virtual clock: the count runs to the
alarm and past it, the settings switch adds the title line, a restart while
running resumes the stored count, and the defaults file (read back by plistlib)
holds the four values with their types; values of another type give the defaults."""
import json, os, plistlib, re, select, subprocess, sys, tempfile, time

BINARY = os.path.join(sys.argv[1], "Talkclock", "Talkclock")
TILE = re.compile(r'^\s+/0/1/0/0/\d+ Text "([^"]*)"')


def environment(home):
    return dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
                TZ="UTC", LC_ALL="C")


def tiles(reply):
    return "".join(m.group(1) for line in reply["lines"] for m in [TILE.match(line)] if m)


class Console:
    """A running program, spoken to one command at a time."""

    def __init__(self, home, clock):
        self.process = subprocess.Popen([BINARY, "--headless", "--json", "--clock", clock], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, bufsize=1,
                                        env=environment(home))
        self.events = []

    def next_report(self, deadline):
        ready, _, _ = select.select([self.process.stderr], [], [], max(0, deadline - time.monotonic()))
        assert ready, "no report in time"
        line = self.process.stderr.readline()
        assert line, "the program ended"
        return json.loads(line)

    def run(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        deadline = time.monotonic() + 20
        while True:
            report = self.next_report(deadline)
            if "reply" in report:
                assert report["reply"] != "error", report
                return report
            self.events.append(report)

    def wait_for(self, kind):
        deadline = time.monotonic() + 20
        while not any(e["event"] == kind for e in self.events):
            self.events.append(self.next_report(deadline))

    def right_click(self):
        out, err = self.process.communicate("right-click\n", timeout=20)
        self.events += [json.loads(line) for line in err.splitlines()]
        assert self.process.returncode == 0 and out == "", (self.process.returncode, out)
        assert self.events[-1] == {"event": "terminate", "status": 0}, self.events[-1]


def stored(home):
    with open(os.path.join(home, "config", "menulets", "dev.menulets.Talkclock.plist"), "rb") as f:
        return plistlib.load(f)


def session(home, clock, *commands):
    done = subprocess.run([BINARY, "--headless", "--json", "--clock", clock], input="\n".join(commands) + "\n",
                          capture_output=True, text=True, env=environment(home), timeout=60)
    assert done.returncode == 0 and done.stdout == "", done
    return [json.loads(line) for line in done.stderr.splitlines()]


with tempfile.TemporaryDirectory() as home:
    clock = Console(home, "2026-06-10T15:00:00Z")
    clock.run("click")
    assert tiles(clock.run("views")) == "10:00"
    clock.run("press Start")
    clock.run("advance 599")
    assert tiles(clock.run("views")) == "00:01"
    assert not any(e["event"] == "sound" for e in clock.events)
    clock.run("advance 1")
    clock.wait_for("sound")
    assert tiles(clock.run("views")) == "00:00"
    clock.run("advance 1")
    assert tiles(clock.run("views")) == "-00:01"
    assert not any('Text "Talk Clock"' in line for line in clock.run("views")["lines"])
    clock.run('context /0 "Open Settings"')
    # Closed with its close button, the settings window opens again from the same menu.
    assert clock.run("close 4")["lines"] == ["window 4 closed"]
    clock.run('context /0 "Open Settings"')
    clock.run('press "Should show title"')
    panel = clock.run("views 2")["lines"]
    assert panel[3].endswith('Text "Talk Clock" .font(title rounded bold) .padding(16) '
                             '.foregroundColor(controlAccentColor)'), panel[3]
    clock.right_click()
    assert {"event": "sound", "name": "Sosumi"} in clock.events

    values = stored(home)
    assert values == {"Talkclock.accumulated": 601.0, "Talkclock.target": 600.0, "Talkclock.running": True,
                      "Talkclock.showTitle": True}, values
    assert type(values["Talkclock.accumulated"]) is float and type(values["Talkclock.target"]) is float

    # A day later the count goes on from 601: the time away is not counted.
    reports = session(home, "2026-06-11T15:00:00Z", "click", "views", "advance 4", "views", "right-click")
    shown = [tiles(r) for r in reports if r.get("command") == "views"]
    assert shown == ["-00:01", "-00:05"], shown
    assert stored(home)["Talkclock.accumulated"] == 605.0

    # Values of another type read as the defaults: stopped, ten minutes, no title line.
    with open(os.path.join(home, "config", "menulets", "dev.menulets.Talkclock.plist"), "wb") as f:
        plistlib.dump({"Talkclock.accumulated": "lots", "Talkclock.target": "nine hundred",
                       "Talkclock.running": "yes", "Talkclock.showTitle": 1}, f, fmt=plistlib.FMT_BINARY)
    reports = session(home, "2026-06-12T15:00:00Z", "click", "views", "advance 5", "views", "right-click")
    listings = [r["lines"] for r in reports if r.get("command") == "views"]
    assert [tiles({"lines": lines}) for lines in listings] == ["10:00", "10:00"], listings
    assert any('Button "Start"' in line for line in listings[0]) and listings[0][3].endswith("EmptyView"), listings[0]
