#!/usr/bin/env python3
"""Hourtrail on a real X desktop: a click on its tray icon opens its menu as
a popup, which real keys walk and choose from; choosing "Quit" ends the
program as the console's `choose Quit` does."""
import os, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Hourtrail", "Hourtrail")

xdesktop.skip_without()


def menu_popup(desktop, program, icon):
    """The program's visible window that is neither the icon nor tiny: the open menu."""
    for window in desktop.windows():
        if window.wid in desktop.visible_windows(program) and window.wid != icon.wid and window.height > 40:
            return window
    return None


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    env = desktop.user_env(home)
    program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
    icon = xdesktop.wait_for(lambda: desktop.docked_icon("Hourtrail"), "Hourtrail's icon in the panel")
    x, y = icon.centre()

    # Any click opens the menu; Escape closes it and the program goes on.
    desktop.click(x, y, button=3)
    xdesktop.wait_for(lambda: menu_popup(desktop, "Hourtrail", icon), "the menu after a right click")
    desktop.keys("Escape")
    xdesktop.wait_for(lambda: menu_popup(desktop, "Hourtrail", icon) is None, "the menu closed by Escape")
    assert program.poll() is None

    desktop.click(x, y)
    menu = xdesktop.wait_for(lambda: menu_popup(desktop, "Hourtrail", icon), "the menu after a left click")
    desktop.screenshot(os.path.join(BUILD, "Hourtrail-desktop-menu.png"), menu)
    desktop.keys("Escape")
    xdesktop.wait_for(lambda: menu_popup(desktop, "Hourtrail", icon) is None, "the menu closed")
    assert desktop.quit_from_menu("Hourtrail", program, x, y) == 0
    errors = program.stderr.read().decode()
    assert "running headless" not in errors, errors
print("ok")
