#!/usr/bin/env python3
"""Windows follow the dark appearance (AppleInterfaceStyle = Dark in the
global defaults, as Durovevadi and the settings portal set it): DawnList's
list window, which takes the platform's window colour, is dark with light
text under it and light without it. Tab into the row's field shows where
the keyboard is: the pixels around the field change."""
import os, plistlib, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "DawnList", "DawnList")
xdesktop.skip_without("openbox", "xprop")


def luminance(r, g, b):
    return (0.2126 * r + 0.7152 * g + 0.0722 * b) / 255


def list_window(dark):
    """(share of dark pixels, share of light pixels, pixels changed by Tab) of the list window."""
    with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
        desktop.start_window_manager()
        if dark:
            os.makedirs(os.path.join(home, "config", "menulets"))
            with open(os.path.join(home, "config", "menulets", ".GlobalPreferences.plist"), "wb") as f:
                plistlib.dump({"AppleInterfaceStyle": "Dark"}, f, fmt=plistlib.FMT_BINARY)
        program = desktop.spawn([BINARY], env=desktop.user_env(home), stderr=subprocess.PIPE)
        icon = xdesktop.wait_for(lambda: desktop.docked_icon("DawnList"), "DawnList's icon in the panel")
        desktop.click(*icon.centre())
        window = xdesktop.wait_for(lambda: desktop.shown_window("Dawn Lists"), "the list window")
        name = "DawnList-%s-window.png" % ("dark" if dark else "light")
        desktop.screenshot(os.path.join(BUILD, name), window)
        before = xdesktop.xwd_pixels(desktop.dump(window))[2]
        desktop.keys("Tab")
        changed = lambda: sum(a != b for old, new in zip(before, xdesktop.xwd_pixels(desktop.dump(window))[2])
                              for a, b in zip(old, new))
        moved = xdesktop.wait_for(lambda: changed() > 30 and changed(), "the focus shown in the field")
        width, height, rows = xdesktop.xwd_pixels(desktop.dump(window))
        shades = [luminance(*row[3 * x:3 * x + 3]) for row in rows for x in range(width)]
        program.terminate()
        assert program.wait(timeout=20) == 0
        return (sum(s < 0.25 for s in shades) / len(shades), sum(s > 0.5 for s in shades) / len(shades), moved)


dark_share, light_text, moved = list_window(dark=True)
assert dark_share > 0.8 and light_text > 0.001, (dark_share, light_text)
light_share, _, _ = list_window(dark=False)
assert light_share < 0.2, light_share
print("ok")
