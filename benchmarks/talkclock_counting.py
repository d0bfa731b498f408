#!/usr/bin/env python3
"""What a counting Talkclock costs on the real clock: its threads' wake-ups
(context switches, from /proc) and how often its defaults file is written
(each write replaces the file, so its inode changes).

    benchmarks/talkclock_counting.py BUILD [SECONDS] [--desktop [--panel]]

Headless, Talkclock is started, its panel opened and the count started from
the console. With --desktop it runs on a private X desktop with a tray
(tests/support/xdesktop.py), counting from a stored running count, with only
its icon shown, or with its panel too (--panel); the wake-ups are then given
per thread as well. The window opens once start-up has settled."""
import os, select, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
from wakeups import switches_by_thread  # noqa: E402

arguments = [argument for argument in sys.argv[1:] if not argument.startswith("--")]
BUILD = arguments[0]
SECONDS = float(arguments[1]) if len(arguments) > 1 else 60.0
DESKTOP = "--desktop" in sys.argv
PANEL = "--panel" in sys.argv


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


def measure(pid, store):
    """Wake-ups a second (in all and by thread) and file writes over the window."""
    time.sleep(2)
    threads_before, last, writes = switches_by_thread(pid), inode(store), 0
    until = time.monotonic() + SECONDS
    while time.monotonic() < until:
        time.sleep(0.05)
        now = inode(store)
        writes += now != last
        last = now
    threads = {name: (count - threads_before.get(name, 0)) / SECONDS
               for name, count in switches_by_thread(pid).items()}
    # Summed by thread: a total of the whole process would lose all a thread
    # ever did when it ends within the window (Qt's pool threads do).
    return sum(threads.values()), threads, writes


def headless(home, env, store):
    process = subprocess.Popen([os.path.join(BUILD, "Talkclock", "Talkclock"), "--headless"], stdin=subprocess.PIPE,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    try:
        send(process, "click", "windowShown")
        send(process, "press Start", "pressed")
        return measure(process.pid, store)
    finally:
        process.kill()
        process.wait()


def on_desktop(home, store):
    import xdesktop
    with xdesktop.XDesktop() as desktop:
        env = desktop.user_env(home)
        subprocess.run([os.path.join(BUILD, "tools", "menulets-defaults"), "write", "dev.menulets.Talkclock",
                        "Talkclock.running", "-bool", "YES"], env=env, check=True)
        process = desktop.spawn([os.path.join(BUILD, "Talkclock", "Talkclock")], env=env)
        icon = xdesktop.wait_for(lambda: desktop.docked_icon("Talkclock"), "Talkclock's icon in the panel")
        if PANEL:
            desktop.click(*icon.centre())
            xdesktop.wait_for(lambda: desktop.shown_window("Talk Clock"), "the Talk Clock panel")
        return measure(process.pid, store)


with tempfile.TemporaryDirectory() as home:
    os.chmod(home, 0o700)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data", TZ="UTC",
               LC_ALL="C")
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    store = os.path.join(home, "config", "menulets", "dev.menulets.Talkclock.plist")
    wakeups, threads, writes = on_desktop(home, store) if DESKTOP else headless(home, env, store)
where = ("on the desktop, " + ("panel shown" if PANEL else "icon only")) if DESKTOP else "headless"
print("counting Talkclock %s over %.0f s: %.2f wake-ups a second, %d file writes (one every %.1f s)"
      % (where, SECONDS, wakeups, writes, SECONDS / writes if writes else float("inf")))
for name, rate in sorted(threads.items(), key=lambda item: -item[1]):
    if rate >= 0.05:
        print("  %-28s %.2f a second" % (name, rate))
