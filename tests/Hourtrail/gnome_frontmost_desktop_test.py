#!/usr/bin/env python3
"""Hourtrail in a GNOME session on Wayland, where only the suite's GNOME
Shell extension says which window is in front: the program asks the
extension for the focused window, follows its signal, and the store
credits each application by name, on GNOME 46 with the extension's module
form and on GNOME 43 with its script form. GNOME Shell is a stand-in of the
tests' own (tests/support/gnome_shell.py) that runs the very extension the
build makes under Node and serves what it exports. Without the extension
enabled the program says once how to enable the one for that GNOME."""
import json, os, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402
import hourtrail_store  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Hourtrail", "Hourtrail")
HERE = os.path.dirname(os.path.abspath(__file__))
SHELL = os.path.join(HERE, "..", "support", "gnome_shell.py")
EXTENSIONS = os.path.join(BUILD, "share", "gnome-shell", "extensions")

xdesktop.skip_without("node")


def send(shell, command):
    shell.stdin.write(json.dumps(command) + "\n")
    shell.stdin.flush()


def session(desktop, home, version, extension):
    os.makedirs(os.path.join(home, "data", "applications"), exist_ok=True)
    with open(os.path.join(home, "data", "applications", "org.example.NoteBoard.desktop"), "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Note Board\nExec=noteboard\n")
    # A Wayland session whose compositor tells no program its windows; Qt
    # draws through X, as it may. Only the session's own entries count.
    env = desktop.user_env(home, WAYLAND_DISPLAY="wayland-of-gnome", QT_QPA_PLATFORM="xcb",
                           XDG_DATA_DIRS=home + "/none")
    shell = desktop.spawn(["/usr/bin/python3", SHELL, version, extension], env=env, stdin=subprocess.PIPE,
                          stdout=subprocess.PIPE, text=True)
    assert shell.stdout.readline().strip() == "ready"
    return env, shell


def credits_each_window(version, uuid):
    with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
        config = os.path.join(home, "config")
        env, shell = session(desktop, home, version, os.path.join(EXTENSIONS, uuid))
        # A window already focused when the program starts is asked for.
        send(shell, {"focus": {"wmClass": "org.example.NoteBoard", "pid": 0, "title": "Shopping — Note Board"}})
        program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
        xdesktop.wait_for(lambda: hourtrail_store.seconds(config, "Note Board") >= 2,
                          "Note Board credited (saved every 10 s)", 40)
        send(shell, {"title": "Groceries — Note Board"})
        send(shell, {"focus": {"wmClass": "tallysheet", "pid": 0, "title": "Sums"}})
        xdesktop.wait_for(lambda: hourtrail_store.seconds(config, "tallysheet") >= 2, "tallysheet credited", 40)
        credited = hourtrail_store.activities(config)
        assert set(credited) == {"Note Board", "tallysheet"}, credited
        program.terminate()
        assert program.wait(timeout=30) == 0
        assert "tells no program" not in program.stderr.read().decode()
        shell.terminate()


credits_each_window("46.2", "front-window@menulets.dev")
credits_each_window("43.9", "front-window-legacy@menulets.dev")

with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    env, shell = session(desktop, home, "43.9", "--disabled")
    program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
    line = program.stderr.readline().decode()
    assert "gnome-extensions enable front-window-legacy@menulets.dev (then" in line, line
    program.terminate()
    assert program.wait(timeout=30) == 0
print("ok")
