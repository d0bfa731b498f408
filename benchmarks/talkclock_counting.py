#!/usr/bin/env python3
"""What a counting Talkclock costs on the real clock, headless: its threads'
wake-ups (context switches, from /proc) and how often its defaults file is
written (each write replaces the file, so its inode changes).

    benchmarks/talkclock_counting.py BUILD [SECONDS]

Talkclock is started, its panel opened and the count started from the console;
the window opens once start-up has settled."""
import os, select, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
from wakeups import context_switches  # noqa: E402

BUILD = sys.argv[1]
SECONDS = float(sys.argv[2]) if len(sys.argv) > 2 else 60.0


def send(process, command, reply, seconds=10):
    process.stdin.write((command + "\n").encode())
    process.stdin.flush()
    seen, until = b"", time.monotonic() + seconds
    while reply.encode() not in seen:
        left = until - time.monotonic()
        if left <= 0 or not select.select([process.stderr], [], [], left)[0]:
            raise SystemExit("no %r after %r: %r" % (reply, command, seen))
        seen += os.read(process.stderr.fileno(), 65536)


def inode(path):
    try:
        return os.stat(path).st_ino
    except FileNotFoundError:
        return None


with tempfile.TemporaryDirectory() as home:
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data", TZ="UTC",
               LC_ALL="C")
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    store = os.path.join(home, "config", "menulets", "dev.menulets.Talkclock.plist")
    process = subprocess.Popen([os.path.join(BUILD, "Talkclock", "Talkclock"), "--headless"], stdin=subprocess.PIPE,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    try:
        send(process, "click", "windowShown")
        send(process, "press Start", "pressed")
        time.sleep(2)
        before, last, writes = context_switches(process.pid), inode(store), 0
        until = time.monotonic() + SECONDS
        while time.monotonic() < until:
            time.sleep(0.05)
            now = inode(store)
            writes += now != last
            last = now
        switches = context_switches(process.pid) - before
    finally:
        process.kill()
        process.wait()
print("counting Talkclock over %.0f s: %.2f wake-ups a second, %d file writes (one every %.1f s)"
      % (SECONDS, switches / SECONDS, writes, SECONDS / writes if writes else float("inf")))
