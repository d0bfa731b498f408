#!/usr/bin/env python3
"""Carryover fed a stream of drops and killed with SIGKILL at random moments.

After every restart the defaults file must parse with plistlib, hold every
drop the program acknowledged, in order, and no temporary file of a write may
be left in the folder. The number of kills and the time are bounded."""
import json, os, plistlib, random, select, signal, subprocess, sys, tempfile, time

BINARY = os.path.join(sys.argv[1], "Carryover", "Carryover")
KILLS = 60
DEADLINE = time.monotonic() + 120
rng = random.Random(20261207)


class Program:
    def __init__(self, home):
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
                   TZ="UTC", LC_ALL="C")
        self.process = subprocess.Popen([BINARY, "--headless", "--json", "--clock", "2026-06-10T15:00:00Z"],
                                        stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                        env=env)
        self.buffer = b""

    def report(self, wanted, seconds=10):
        """The next report for which wanted(report) holds, read with a deadline."""
        until = time.monotonic() + seconds
        while True:
            while b"\n" in self.buffer:
                line, self.buffer = self.buffer.split(b"\n", 1)
                report = json.loads(line)
                if wanted(report):
                    return report
            left = until - time.monotonic()
            assert left > 0, "no report in time"
            ready, _, _ = select.select([self.process.stderr], [], [], left)
            if ready:
                chunk = os.read(self.process.stderr.fileno(), 65536)
                assert chunk, "the program ended unexpectedly"
                self.buffer += chunk

    def send(self, line):
        self.process.stdin.write(line.encode() + b"\n")
        self.process.stdin.flush()

    def kill(self):
        self.process.send_signal(signal.SIGKILL)
        self.process.wait(timeout=10)
        self.process.stdin.close()
        self.process.stderr.close()


def stored_links(folder):
    path = os.path.join(folder, "dev.menulets.Carryover.plist")
    if not os.path.exists(path):
        return []
    with open(path, "rb") as file:
        values = plistlib.load(file)
    if "Carryover.store" not in values:
        return []
    store = plistlib.loads(values["Carryover.store"], fmt=plistlib.FMT_BINARY)
    return [link["link"]["relative"] for link in store["newLinks"]]


with tempfile.TemporaryDirectory() as home:
    folder = os.path.join(home, "config", "menulets")
    acknowledged = []
    sent = 0
    kills = 0
    while kills < KILLS and time.monotonic() < DEADLINE:
        program = Program(home)
        program.report(lambda r: r.get("event") == "statusItem")
        # Left over: a temporary file of a killed run. The running program's own
        # (".tmp.<its pid>.") may be a write in progress.
        names = os.listdir(folder) if os.path.isdir(folder) else []
        leftovers = [name for name in names if ".tmp." in name and ".tmp.%d." % program.process.pid not in name]
        assert not leftovers, leftovers

        # Some drops are acknowledged; the kill comes after a reply or right
        # after a command was sent, while the program may be writing.
        in_flight = []
        for _ in range(rng.randint(1, 6)):
            url = "https://example.com/%d" % sent
            sent += 1
            program.send("drop-url " + url)
            in_flight.append(url)
            if rng.random() < 0.3:
                break
            reply = program.report(lambda r: r.get("reply") == "drop")
            assert reply["lines"] == ["drop accepted"], reply
            acknowledged.extend(in_flight)
            in_flight = []
        program.kill()
        kills += 1

        links = stored_links(folder)
        assert links[:len(acknowledged)] == acknowledged, (links, acknowledged)
        assert links[len(acknowledged):] in ([], in_flight), (links, acknowledged, in_flight)
        acknowledged = links

    assert kills >= 20, "too few kills in the time allowed: %d" % kills
    print("%d kills survived, %d links kept" % (kills, len(acknowledged)))
