#!/usr/bin/env python3
"""Hourtrail in a Wayland session of a wlroots compositor (a headless sway)
credits the native Wayland window a person works in, which X11 cannot see:
one window named by the desktop entry its app id names, another by its app
id alone, each focused in turn with swaymsg; the store is read back as it is
saved. Hourtrail itself runs on sway's Xwayland, as Qt does without its
Wayland plugin, and still sees the native windows."""
import json, os, shutil, subprocess, sys

SUPPORT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support")
sys.path.insert(0, SUPPORT)
import swaydesktop  # noqa: E402
import xdesktop  # noqa: E402
import hourtrail_store  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Hourtrail", "Hourtrail")

swaydesktop.skip_without()
# The windows are GTK's, from Debian's Python (which the session's user can run).
if subprocess.run(["/usr/bin/python3", "-c", "import gi; gi.require_version('Gtk', '3.0')"]).returncode != 0:
    print("skipped: no GTK for /usr/bin/python3")
    sys.exit(0)

NOTES, SCRATCH = "dev.menulets.test.Notes", "dev.menulets.test.Scratch"


def windows(sway):
    """{app_id: shell} of the windows sway shows."""
    found = {}
    nodes = [json.loads(sway.swaymsg("-t", "get_tree"))]
    while nodes:
        node = nodes.pop()
        if node.get("app_id") or node.get("shell") == "xwayland":
            found[node.get("app_id") or node.get("window_properties", {}).get("class")] = node.get("shell")
        nodes += node.get("nodes", []) + node.get("floating_nodes", [])
    return found


with swaydesktop.SwayDesktop() as sway:
    config = os.path.join(sway.home, "config")
    applications = os.path.join(sway.home, "data", "applications")
    os.makedirs(applications)
    with open(os.path.join(applications, NOTES + ".desktop"), "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Note Board\nExec=notes\n")
    # The session's user runs the window from a folder of the session's.
    script = shutil.copy(os.path.join(SUPPORT, "wayland_window.py"), sway.folder)
    for app_id, title in ((NOTES, "Notes"), (SCRATCH, "Scratch")):
        sway.exec("env GDK_BACKEND=wayland /usr/bin/python3 %s %s %s" % (script, app_id, title))
    xdesktop.wait_for(lambda: windows(sway).get(NOTES) == "xdg_shell" and windows(sway).get(SCRATCH) == "xdg_shell",
                      "two native Wayland windows")
    sway.swaymsg("[app_id=%s]" % NOTES, "focus")

    errors = os.path.join(sway.folder, "hourtrail-errors.txt")
    sway.exec("env LC_ALL=C.UTF-8 %s 2> %s" % (sway.runnable(BINARY), errors))
    credited = lambda name, at_least=2: hourtrail_store.seconds(config, name) >= at_least
    xdesktop.wait_for(lambda: credited("Note Board"), "Note Board credited (saved every 10 s)", 40)
    assert SCRATCH not in hourtrail_store.activities(config), hourtrail_store.activities(config)

    sway.swaymsg("[app_id=%s]" % SCRATCH, "focus")
    xdesktop.wait_for(lambda: credited(SCRATCH), "the scratch window credited by its app id", 40)
    notes, scratch = hourtrail_store.seconds(config, "Note Board"), hourtrail_store.seconds(config, SCRATCH)
    xdesktop.wait_for(lambda: credited(SCRATCH, scratch + 10), "a further save", 40)
    # The save after the switch may still hold the second before it.
    assert hourtrail_store.seconds(config, "Note Board") <= notes + 1, hourtrail_store.activities(config)
    named = set(hourtrail_store.activities(config))
    assert named == {"Note Board", SCRATCH}, named

    with open(errors) as f:
        said = f.read()
    assert "unknown" not in said and "running headless" not in said, said
print("ok")
