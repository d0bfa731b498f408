#!/usr/bin/env python3
"""Carryover when its defaults cannot be written (a disk that is full, here a
file-size limit, which stops root too): the reply to the drop says the link is
not on disk and why, every line stays JSON, the link is written once the
disk takes writes again, and a program whose last save failed ends with 1."""
import json, os, plistlib, resource, signal, subprocess, sys, tempfile

BINARY = os.path.join(sys.argv[1], "Carryover", "Carryover")


class Session:
    def __init__(self, home, size_limit):
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
                   TZ="UTC", LC_ALL="C")

        def limited():
            # As a full disk does: writes past the limit fail (EFBIG) instead of ending the process.
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (size_limit, resource.RLIM_INFINITY))

        self.process = subprocess.Popen([BINARY, "--headless", "--json", "--clock", "2026-06-10T15:00"],
                                        stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                        env=env, text=True, preexec_fn=limited)
        self.lines = []

    def command(self, line):
        """Every record up to the command's own reply, each parsed as JSON."""
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()
        records = []
        while True:
            text = self.process.stderr.readline()
            assert text, "the program ended early: %r" % self.lines
            self.lines.append(text)
            record = json.loads(text)  # fails on any line that is not JSON
            records.append(record)
            if record.get("command") == line.split()[0]:
                return records

    def quit(self):
        self.process.stdin.write("quit\n")
        self.process.stdin.close()
        rest = self.process.stderr.read()
        for text in rest.splitlines():
            json.loads(text)
        return self.process.wait(timeout=30)


def stored_links(home):
    with open(os.path.join(home, "config", "menulets", "dev.menulets.Carryover.plist"), "rb") as f:
        store = plistlib.loads(plistlib.load(f)["Carryover.store"], fmt=plistlib.FMT_BINARY)
    return [entry["link"]["relative"] for entry in store["newLinks"]]


with tempfile.TemporaryDirectory() as home:
    session = Session(home, 64)
    records = session.command("drop-url https://a.example/kept")
    reply = records[-1]
    assert reply["lines"][0] == "drop accepted", reply
    assert reply["lines"][1].startswith("not saved yet: defaults: cannot write ") and \
        reply["lines"][1].endswith("dev.menulets.Carryover.plist: File too large"), reply
    said = [r["error"] for r in records if "error" in r and "command" not in r]
    assert len(said) == 1 and "File too large" in said[0], records

    # The disk has room again: the pending link is written without a new change.
    resource.prlimit(session.process.pid, resource.RLIMIT_FSIZE, (resource.RLIM_INFINITY, resource.RLIM_INFINITY))
    reply = session.command("advance 10")[-1]
    assert "lines" not in reply, reply
    assert stored_links(home) == ["https://a.example/kept"], stored_links(home)
    assert session.quit() == 0

    # A save still failing when the program ends: it ends with a failure.
    session = Session(home, 64)
    reply = session.command("drop-url https://b.example/")[-1]
    assert reply["lines"][1].startswith("not saved yet: "), reply
    assert session.quit() == 1
    assert stored_links(home) == ["https://a.example/kept"], stored_links(home)

print("save failures reported, retried and counted")
