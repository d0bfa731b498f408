#!/usr/bin/env python3
"""Measures a program on the desktop backend under a private X server and
tray panel (tests/support/xdesktop.py): the time from exec to its icon docked
in the panel (median of five starts), its resident memory once idle beside
that of a bare Qt tray program (MinimalQtTray), and how often its threads
wake while it sits idle (voluntary context switches).

    benchmarks/desktop_measure.py build [Program] [idle seconds, 60 by default]"""
import os, statistics, sys, tempfile, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
import xdesktop  # noqa: E402

build = sys.argv[1]
program = sys.argv[2] if len(sys.argv) > 2 else "Carryover"
idle = float(sys.argv[3]) if len(sys.argv) > 3 else 60.0
binary = os.path.join(build, program, program)


def status(pid, field):
    with open("/proc/%d/status" % pid) as f:
        return next(int(line.split()[1]) for line in f if line.startswith(field + ":"))


def switches(pid):
    """Voluntary context switches of each thread, by thread name."""
    counts = {}
    for task in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/comm" % (pid, task)) as f:
            name = f.read().strip()
        with open("/proc/%d/task/%s/status" % (pid, task)) as f:
            counts[name + "/" + task] = next(int(line.split()[1]) for line in f
                                             if line.startswith("voluntary_ctxt_switches:"))
    return counts


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    env = desktop.user_env(home)
    starts = []
    for _ in range(5):
        began = time.monotonic()
        process = desktop.spawn([binary], env=env)
        xdesktop.wait_for(lambda: desktop.docked_icon(program), "the icon")
        starts.append((time.monotonic() - began) * 1000)
        process.terminate()
        process.wait(timeout=20)
        xdesktop.wait_for(lambda: desktop.docked_icon(program) is None, "the icon gone")
    print("exec to icon docked: median %.0f ms (of %s)" % (statistics.median(starts), ", ".join("%.0f" % s for s in starts)))

    process = desktop.spawn([binary], env=env)
    xdesktop.wait_for(lambda: desktop.docked_icon(program), "the icon")
    time.sleep(2)
    print("resident memory when idle: %d KiB" % status(process.pid, "VmRSS"))
    peer = desktop.spawn([os.path.join(build, "benchmarks", "MinimalQtTray")], env=env)
    xdesktop.wait_for(lambda: desktop.docked_icon("MinimalQtTray"), "the minimal tray program's icon")
    time.sleep(2)
    print("resident memory of a bare Qt tray program: %d KiB" % status(peer.pid, "VmRSS"))
    peer.terminate()
    peer.wait(timeout=20)
    before = switches(process.pid)
    time.sleep(idle)
    after = switches(process.pid)
    for thread, count in sorted(after.items()):
        print("wake-ups in %.0f s idle, thread %s: %d" % (idle, thread, count - before.get(thread, count)))
    process.terminate()
    process.wait(timeout=20)
