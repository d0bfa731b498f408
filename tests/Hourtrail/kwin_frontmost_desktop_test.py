#!/usr/bin/env python3
"""Hourtrail in a Plasma session on Wayland, where only a script inside KWin
can say which window is in front: the program loads its script into KWin
over the session bus, the script reports each activated window back, and
the store credits each application by name. KWin is a stand-in of the
tests' own (tests/support/kwin.py) that runs the very script the program
loaded under Node, against a workspace shaped as Plasma 5.27's and as
Plasma 6's; the script is unloaded when the program ends."""
import json, os, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402
import hourtrail_store  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Hourtrail", "Hourtrail")
KWIN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support", "kwin.py")

xdesktop.skip_without("node")


def read_line(process, expected):
    line = process.stdout.readline().strip()
    assert line.startswith(expected), (line, expected)
    return line


def activate(kwin, window):
    kwin.stdin.write(json.dumps({"activate": window}) + "\n")
    kwin.stdin.flush()


for plasma in ("5", "6"):
    with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
        config = os.path.join(home, "config")
        os.makedirs(os.path.join(home, "data", "applications"))
        with open(os.path.join(home, "data", "applications", "org.example.NoteBoard.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Note Board\nExec=noteboard\n")
        # A Wayland session whose compositor keeps its window list to itself;
        # Qt draws through X, as it may. Only the session's own entries count.
        env = desktop.user_env(home, WAYLAND_DISPLAY="wayland-of-kwin", QT_QPA_PLATFORM="xcb",
                               XDG_DATA_DIRS=home + "/none")
        kwin = desktop.spawn(["/usr/bin/python3", KWIN, plasma], env=env, stdin=subprocess.PIPE,
                             stdout=subprocess.PIPE, text=True)
        read_line(kwin, "ready")

        program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
        plugin = read_line(kwin, "loaded ")[len("loaded "):]
        read_line(kwin, "started")
        activate(kwin, {"resourceClass": "org.example.NoteBoard", "pid": 0, "caption": "Shopping — Note Board"})
        xdesktop.wait_for(lambda: hourtrail_store.seconds(config, "Note Board") >= 2,
                          "Note Board credited (saved every 10 s), Plasma " + plasma, 40)

        activate(kwin, {"resourceClass": "tallysheet", "pid": 0, "caption": "Sums"})
        xdesktop.wait_for(lambda: hourtrail_store.seconds(config, "tallysheet") >= 2,
                          "tallysheet credited, Plasma " + plasma, 40)
        credited = hourtrail_store.activities(config)
        assert set(credited) <= {"Note Board", "tallysheet", "Unknown Name"}, credited
        # Only the moments before the script's first report may go unnamed.
        assert credited.get("Unknown Name", {}).get("accumulated", 0) <= 2, credited

        program.terminate()
        assert program.wait(timeout=30) == 0
        assert read_line(kwin, "unloaded ") == "unloaded " + plugin
        assert "tells no program" not in program.stderr.read().decode()
print("ok")
