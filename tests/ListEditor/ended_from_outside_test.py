#!/usr/bin/env python3
"""A list program ended from outside (SIGTERM, SIGINT, SIGHUP) on the real
clock writes the edit whose save was still waiting, and ends as a success."""
import json, os, plistlib, select, signal, subprocess, sys, tempfile, time

BINARY = os.path.join(sys.argv[1], "Zivirodevevo", "Zivirodevevo")


def reply_to(process, command, seconds=10):
    """Sends one command and reads reports until its reply, with a deadline."""
    process.stdin.write((command + "\n").encode())
    process.stdin.flush()
    until = time.monotonic() + seconds
    buffer = b""
    while True:
        while b"\n" in buffer:
            line, buffer = buffer.split(b"\n", 1)
            report = json.loads(line)
            if "reply" in report:
                return report
        left = until - time.monotonic()
        assert left > 0, "no reply to " + command
        if select.select([process.stderr], [], [], left)[0]:
            buffer += os.read(process.stderr.fileno(), 65536)


for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data", LC_ALL="C")
        env.pop("DISPLAY", None)
        env.pop("WAYLAND_DISPLAY", None)
        process = subprocess.Popen([BINARY, "--headless", "--json"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, env=env)
        reply_to(process, "click")
        typed = reply_to(process, 'type "I affirm to..." "Typed just before the end"')
        assert "error" not in typed, typed
        # The save waits 500 ms after the last keystroke; the signal comes first.
        process.send_signal(number)
        stdout, stderr = process.communicate(timeout=10)
        assert process.returncode == 0, (number, process.returncode, stderr)
        assert b'"event":"terminate"' in stderr, stderr
        with open(os.path.join(home, "config", "menulets", "dev.menulets.Zivirodevevo.plist"), "rb") as file:
            entries = plistlib.loads(plistlib.load(file)["affirmations"], fmt=plistlib.FMT_BINARY)
        assert [entry["text"] for entry in entries] == ["Typed just before the end"], (number, entries)
print("the waiting save was written on SIGTERM, SIGINT and SIGHUP")
