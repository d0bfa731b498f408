#!/usr/bin/env python3
"""Idle programs on the real clock do not wake up.

Each program with nothing due within the window (Blinkbreak's first reminder
is 20 minutes away; Hourtrail, which ticks every second, is left out) is started on the
headless console with the real clock and left alone for 20 seconds, all of
them at once; its threads' context switches over that time are counted from
/proc. A program that polls or ticks would show dozens or hundreds."""
import os, select, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from wakeups import switches_between, switches_by_thread  # noqa: E402

BUILD = sys.argv[1]
PROGRAMS = ["Carryover", "Urlstash", "Starhop", "Durovevadi", "Folderdock", "Pricetray", "Zivirodevevo", "DawnList",
            "Talkclock", "Blinkbreak"]
WINDOW = 20.0
HANDFUL = 5


def wait_for_start(process, seconds=10):
    """Until the program has reported its status item: start-up is over."""
    until = time.monotonic() + seconds
    seen = b""
    while b"statusItem" not in seen:
        left = until - time.monotonic()
        if left <= 0 or process.poll() is not None:
            raise SystemExit("%s did not start" % process.args[0])
        if select.select([process.stderr], [], [], left)[0]:
            seen += os.read(process.stderr.fileno(), 65536)


def settle(pid, quiet=1.0, seconds=15):
    """Until the program's threads have made no context switch for `quiet` seconds."""
    until = time.monotonic() + seconds
    last, since = switches_by_thread(pid), time.monotonic()
    while time.monotonic() - since < quiet:
        if time.monotonic() > until:
            raise SystemExit("pid %d did not settle after start-up" % pid)
        time.sleep(0.1)
        now = switches_by_thread(pid)
        if switches_between(last, now):
            last, since = now, time.monotonic()


with tempfile.TemporaryDirectory() as home:
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data", TZ="UTC",
               LC_ALL="C")
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    running = {}
    try:
        for name in PROGRAMS:
            path = os.path.join(BUILD, name, name)
            process = subprocess.Popen([path, "--headless", "--json"], stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.PIPE, env=env)
            running[name] = process
        for process in running.values():
            wait_for_start(process)
        # Start-up work (the first writes, on the defaults' writer thread) may
        # still run on a busy machine: the window opens once it has ended.
        for process in running.values():
            settle(process.pid)
        before = {name: switches_by_thread(process.pid) for name, process in running.items()}
        time.sleep(WINDOW)
        after = {name: switches_by_thread(process.pid) for name, process in running.items()}
    finally:
        for process in running.values():
            process.kill()
            process.wait()

switches = {name: switches_between(before[name], after[name]) for name in PROGRAMS}
print("context switches in %d s: %s" % (WINDOW, ", ".join("%s %d" % item for item in switches.items())))
noisy = {name: count for name, count in switches.items() if count > HANDFUL}
if noisy:
    raise SystemExit("idle programs woke up: %s" % noisy)
