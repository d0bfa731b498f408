#!/usr/bin/env python3
"""Times Hourtrail's start-up on its headless console with a stored store of
N applications and N websites, as a defaults file holds it after long use:
from the process's start until the console answers its first command (the
icon is up and the program answers), until its first tick has credited the
store (which waits for the stored one), and until the program has quit.

    python3 benchmarks/hourtrail_startup.py build [--entries 100000] [--runs 7]

The defaults file is written with plistlib, as another implementation of the
format writes it, on the same disk as the build. Prints the median and the
range of the runs, with the stored store and with none."""
import argparse
import os
import plistlib
import statistics
import subprocess
import sys
import tempfile
import time


def write_store(config_home, entries):
    store = {
        "activities": {"Application number %d" % i: {"title": "Application number %d" % i, "accumulated": float(i)}
                       for i in range(entries)},
        "webActivities": {"host-%d.example" % i: {"host": "host-%d.example" % i, "accumulated": float(i)}
                          for i in range(entries)},
    }
    folder = os.path.join(config_home, "menulets")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "dev.menulets.Hourtrail.plist"), "wb") as f:
        plistlib.dump({"Hourtrail.store": plistlib.dumps(store, fmt=plistlib.FMT_BINARY, sort_keys=False)}, f,
                      fmt=plistlib.FMT_BINARY)


def start_once(binary, env):
    """Seconds until the first reply, until the first tick credited the store, and until the process ended."""
    start = time.monotonic()
    program = subprocess.Popen([binary, "--headless", "--json", "--clock", "2026-06-10T09:00:00Z"],
                               stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    program.stdin.write(b"status\nadvance 1\n")
    program.stdin.flush()
    times = []
    for line in program.stderr:
        if line.startswith(b'{"reply":"status"') or line.startswith(b'{"reply":"ok","command":"advance"'):
            times.append(time.monotonic() - start)
            if len(times) == 2:
                break
    else:
        sys.exit("Hourtrail ended without answering: status %s" % program.wait())
    program.stdin.write(b"quit\n")
    program.stdin.close()
    program.stderr.read()
    if program.wait() != 0:
        sys.exit("Hourtrail exited with %d" % program.returncode)
    return times[0], times[1], time.monotonic() - start


def measure(binary, entries, runs, build):
    with tempfile.TemporaryDirectory(dir=os.path.abspath(build)) as home:
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
                   TZ="UTC", LC_ALL="C.UTF-8")
        if entries:
            write_store(home + "/config", entries)
        start_once(binary, env)  # the file and the program in the page cache
        return [start_once(binary, env) for _ in range(runs)]


def summary(values):
    return "%.0f ms (%.0f–%.0f)" % (1000 * statistics.median(values), 1000 * min(values), 1000 * max(values))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--entries", type=int, default=100_000)
    parser.add_argument("--runs", type=int, default=7)
    options = parser.parse_args()
    binary = os.path.join(options.build, "Hourtrail", "Hourtrail")
    for entries in (0, options.entries):
        times = measure(binary, entries, options.runs, options.build)
        print("%7d applications and websites each: ready %s, first tick %s, start to end %s" %
              (entries, summary([t[0] for t in times]), summary([t[1] for t in times]), summary([t[2] for t in times])))


if __name__ == "__main__":
    main()
