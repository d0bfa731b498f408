#!/usr/bin/env python3
"""Carryover on the desktop when starts and saves go wrong: two starts at the
same moment (an "open with" on two links) leave one copy running that keeps
both links, twenty times over; and when its defaults cannot be written (a
file-size limit standing in for a full disk) the person is told, in the
item's tooltip and by a desktop notification naming the file."""
import os, plistlib, resource, signal, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Carryover", "Carryover")
HERE = os.path.dirname(os.path.abspath(__file__))

xdesktop.under_system_python()
xdesktop.skip_without()
import sni  # noqa: E402


def stored_links(home):
    path = os.path.join(home, "config", "menulets", "dev.menulets.Carryover.plist")
    with open(path, "rb") as f:
        store = plistlib.loads(plistlib.load(f)["Carryover.store"], fmt=plistlib.FMT_BINARY)
    return sorted(entry["link"]["relative"] for entry in store["newLinks"])


def simultaneous_starts(desktop):
    for round in range(20):
        with tempfile.TemporaryDirectory() as home:
            env = desktop.user_env(home)
            links = ["https://a.example/%d" % round, "https://b.example/%d" % round]
            starts = [desktop.spawn([BINARY, "--drop-url", link], env=env, stderr=subprocess.PIPE) for link in links]
            # One hands its link over and ends with success; the other runs on.
            ended = xdesktop.wait_for(lambda: [s for s in starts if s.poll() is not None], "a start to hand over")
            assert len(ended) == 1 and ended[0].returncode == 0, (round, ended[0].stderr.read())
            running = next(s for s in starts if s is not ended[0])
            assert running.poll() is None, "round %d: the copy that took the link runs on" % round
            running.send_signal(signal.SIGTERM)
            assert running.wait(timeout=20) == 0
            assert stored_links(home) == links, (round, stored_links(home))


def live_item(desktop):
    """The next registered item that still answers (those of the copies
    before have gone with them)."""
    while True:
        item = sni.Item(desktop.env["DBUS_SESSION_BUS_ADDRESS"], *desktop.status_notifier_item())
        try:
            item.property("ToolTip")
            return item
        except Exception:
            continue


def failing_save(desktop):
    notifications = desktop.spawn(["/usr/bin/python3", os.path.join(HERE, "..", "support", "notification_server.py")],
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    assert notifications.stdout.readline().decode().strip() == "ready"
    with tempfile.TemporaryDirectory() as home:
        env = desktop.user_env(home)

        def full_disk():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (64, resource.RLIM_INFINITY))

        program = desktop.spawn([BINARY], env=env, preexec_fn=full_disk, stderr=subprocess.PIPE)
        item = live_item(desktop)
        handed = subprocess.run([BINARY, "--drop-url", "https://kept.example/"], env=env, timeout=30)
        assert handed.returncode == 0, handed
        xdesktop.wait_for(lambda: "Not saved: " in item.property("ToolTip")[2], "the tooltip to say it")
        tooltip = item.property("ToolTip")[2]
        assert "dev.menulets.Carryover.plist: File too large" in tooltip, tooltip
        line = notifications.stdout.readline().decode().rstrip("\n")
        assert line.startswith("notify Carryover could not save your changes\t"), line
        assert "dev.menulets.Carryover.plist" in line, line

        # Room again: the retry writes the link, and the tooltip lets go of the warning.
        resource.prlimit(program.pid, resource.RLIMIT_FSIZE, (resource.RLIM_INFINITY, resource.RLIM_INFINITY))
        xdesktop.wait_for(lambda: "Not saved" not in item.property("ToolTip")[2], "the retry", timeout=30)
        assert stored_links(home) == ["https://kept.example/"]
        program.send_signal(signal.SIGTERM)
        assert program.wait(timeout=20) == 0


with xdesktop.XDesktop(tray="sni") as desktop:
    simultaneous_starts(desktop)
    failing_save(desktop)
print("ok")
