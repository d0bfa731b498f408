#!/usr/bin/env python3
"""Times a long simulation on Hourtrail's headless console: with an
application frontmost, `advance N` runs one tick a second and a save every
ten, each save reaching the disk as in real use.

    python3 benchmarks/long_simulation.py build [--seconds 1000000] [--limit 10]

Prints the wall time and the store's total, read back with plistlib; exits 1
when the run takes longer than the limit or the store does not hold N seconds.
The defaults are written under a fresh folder beside the build, on the same
disk as real use, not in memory."""
import argparse
import os
import plistlib
import subprocess
import sys
import tempfile
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--seconds", type=int, default=1_000_000)
    parser.add_argument("--limit", type=float, default=10.0, help="seconds of wall time allowed")
    options = parser.parse_args()

    binary = os.path.join(options.build, "Hourtrail", "Hourtrail")
    with tempfile.TemporaryDirectory(dir=os.path.abspath(options.build)) as home:
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
                   TZ="UTC", LC_ALL="en_US.UTF-8")
        commands = f"frontmost Safari\nadvance {options.seconds}\nquit\n"
        start = time.monotonic()
        done = subprocess.run([binary, "--headless", "--clock", "2026-06-10T09:00:00Z"], input=commands,
                              capture_output=True, text=True, env=env)
        elapsed = time.monotonic() - start
        if done.returncode != 0:
            sys.exit(f"Hourtrail exited with {done.returncode}: {done.stderr[-2000:]}")
        with open(os.path.join(home, "config", "menulets", "dev.menulets.Hourtrail.plist"), "rb") as f:
            store = plistlib.loads(plistlib.load(f)["Hourtrail.store"], fmt=plistlib.FMT_BINARY)

    accumulated = store["activities"]["Safari"]["accumulated"]
    print(f"advance {options.seconds} with Safari frontmost: {elapsed:.2f} s wall "
          f"(limit {options.limit:g} s), Safari accumulated {accumulated:g} s")
    if accumulated != options.seconds:
        sys.exit(f"the store holds {accumulated:g} s, not {options.seconds}")
    if elapsed > options.limit:
        sys.exit(f"slower than the limit of {options.limit:g} s")


if __name__ == "__main__":
    main()
