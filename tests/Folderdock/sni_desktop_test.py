#!/usr/bin/env python3
"""Folderdock on a desktop: the applications of its folder, chosen in the
menu a status-notifier panel draws, start as the desktop starts them: a
desktop entry through its Exec line, an AppImage as a program in its own
folder."""
import os, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

xdesktop.under_system_python()
BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Folderdock", "Folderdock")

xdesktop.skip_without("gio")
import gi  # noqa: E402
import sni  # noqa: E402


def write(path, text, executable=False):
    with open(path, "w") as f:
        f.write(text)
    if executable:
        os.chmod(path, 0o755)


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop(tray="sni") as desktop:
    env = desktop.user_env(home)
    apps = os.path.join(home, "Apps")
    os.makedirs(apps)
    write(os.path.join(apps, "notes.desktop"), "[Desktop Entry]\nType=Application\nName=Notes Pad\n"
          "Exec=sh -c 'echo started > \"%s/desktop-entry\"' %%U\n" % home)
    write(os.path.join(apps, "Tool.AppImage"), "#!/bin/sh\nenv > \"%s/appimage-env\"\npwd > \"%s/appimage\"\n" %
          (home, home), executable=True)

    program = desktop.spawn([BINARY, "--drop-file", apps], env=env, stderr=subprocess.PIPE)
    def live_item():
        """The item registered last, once it answers: taking the folder makes the item anew."""
        registered = desktop.registered_items()
        try:
            found = sni.Item(desktop.env["DBUS_SESSION_BUS_ADDRESS"], *registered[-1])
            return found if found.property("Menu") else None
        except (IndexError, gi.repository.GLib.GError):
            return None
    item = xdesktop.wait_for(live_item, "Folderdock's item")

    def choose(label, then_closed=True):
        entries = item.menu_entries()
        identifier = next((i for i, shown, _, _ in entries if shown == label), None)
        assert identifier is not None, entries
        item.menu_event(identifier, "clicked")
        if then_closed:
            item.menu_event(0, "closed")

    def contents(name):
        path = os.path.join(home, name)
        return open(path).read().strip() if os.path.exists(path) else None

    choose("Notes Pad")
    xdesktop.wait_for(lambda: contents("desktop-entry") == "started", "the desktop entry's command")
    choose("Tool")
    xdesktop.wait_for(lambda: contents("appimage") == apps, "the AppImage, started in its folder")
    # What Folderdock tells Qt while it connects to the display is not passed on.
    started_with = dict(line.split("=", 1) for line in contents("appimage-env").splitlines() if "=" in line)
    for name in ("QT_QPA_PLATFORM", "QT_XCB_NO_MITSHM"):
        assert started_with.get(name) == env.get(name), (name, started_with.get(name))

    choose("Quit", then_closed=False)
    assert program.wait(timeout=20) == 0
    errors = program.stderr.read().decode()
    assert "running headless" not in errors, errors
print("ok")
