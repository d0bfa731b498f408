#!/usr/bin/env python3
"""The eleven programs' icons on tray panels as people have them: black, dark
grey and light. Each icon's symbol must stand out from the panel behind it by
a contrast ratio of at least 3:1 (the accessibility guidelines' figure for
graphics), measured from the pixels on the screen. Screenshots of the dark and
the light panel go to the build folder."""
import os, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import xdesktop  # noqa: E402
from contrast import contrast  # noqa: E402

BUILD = sys.argv[1]
PROGRAMS = ["Blinkbreak", "Carryover", "DawnList", "Durovevadi", "Folderdock", "Hourtrail", "Pricetray", "Starhop",
            "Talkclock", "Urlstash", "Zivirodevevo"]
PANELS = {"black": 0x000000, "dark": 0x303030, "light": 0xeeeeee}

xdesktop.skip_without()


def symbol_contrast(desktop, icon, background):
    """The contrast of the icon's strongest pixels with the panel: the symbol's
    own colour, not its anti-aliased edge."""
    width, _, rows = xdesktop.xwd_pixels(desktop.dump(icon))
    pixels = [tuple(row[3 * x:3 * x + 3]) for row in rows for x in range(width)]
    return max(contrast(pixel, background) for pixel in pixels)


failures = []
for name, tint in PANELS.items():
    with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop(tray=None) as desktop:
        desktop.spawn(["trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "28",
                       "--transparent", "true", "--alpha", "0", "--tint", "0x%06x" % tint])
        panel = xdesktop.wait_for(lambda: desktop.panel(), "the tray panel")
        env = desktop.user_env(home)
        for program in PROGRAMS:
            desktop.spawn([os.path.join(BUILD, program, program)], env=env, stderr=subprocess.DEVNULL)
        icons = {program: xdesktop.wait_for(lambda: desktop.docked_icon(program), program + "'s icon")
                 for program in PROGRAMS}
        panel = desktop.panel()
        _, _, rows = xdesktop.xwd_pixels(desktop.dump(panel))
        background = tuple(rows[1][0:3])
        for program, icon in icons.items():
            # The colour is chosen once the icon is docked: wait for it to settle.
            try:
                xdesktop.wait_for(lambda: symbol_contrast(desktop, desktop.docked_icon(program), background) >= 3,
                                  program + " standing out", timeout=10)
            except AssertionError:
                failures.append("%s on the %s panel: contrast %.2f" % (
                    program, name, symbol_contrast(desktop, desktop.docked_icon(program), background)))
        if name != "dark":
            desktop.screenshot(os.path.join(BUILD, "icons-on-%s-panel.png" % name), desktop.panel())

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
