#!/usr/bin/env python3
"""The eleven programs docked in swaybar, a status-notifier panel people run,
under a headless sway: on its black bar, then on a dark grey and a light one
as the bar is recoloured while they run. Every icon's symbol must stand out
from the bar by a contrast ratio of at least 3:1, measured from the pixels
grim takes of the screen. Screenshots of the bar's tray go to the build
folder."""
import os, sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import png  # noqa: E402
import swaydesktop  # noqa: E402
import xdesktop  # noqa: E402
from contrast import contrast  # noqa: E402

BUILD = sys.argv[1]
PROGRAMS = ["Blinkbreak", "Carryover", "DawnList", "Durovevadi", "Folderdock", "Hourtrail", "Pricetray", "Starhop",
            "Talkclock", "Urlstash", "Zivirodevevo"]
# Bar colours: (background, the bar's text colour).
BARS = {"black": ("#000000", "#ffffff"), "dark": ("#303030", "#dddddd"), "light": ("#eeeeee", "#202020")}
# Icons are apart by twice the tray's padding at least; a symbol's own gaps are narrower.
ICON_GAP = 5

swaydesktop.skip_without()


def tray_icons(width, rows, background):
    """The icons in the bar's right half, as runs of columns that differ from
    the background: (first column, last column, the strongest contrast of a
    pixel there with the bar)."""
    def differs(x):
        return any(row[3 * x:3 * x + 3] != background for row in rows)
    icons, start, last = [], None, None
    for x in range(width // 2, width):
        if differs(x):
            if start is None or x - last > ICON_GAP:
                if start is not None:
                    icons.append((start, last))
                start = x
            last = x
    if start is not None:
        icons.append((start, last))
    colour = tuple(background)
    return [(first, end, max(contrast(tuple(row[3 * x:3 * x + 3]), colour) for row in rows
                             for x in range(first, end + 1))) for first, end in icons]


def all_stand_out(sway, background):
    width, rows = sway.bar()
    icons = tray_icons(width, rows, bytes.fromhex(background[1:]))
    return len(icons) == len(PROGRAMS) and all(ratio >= 3 for _, _, ratio in icons), icons, (width, rows)


failures = []
first_background, first_text = BARS["black"]
with swaydesktop.SwayDesktop(first_background, first_text) as sway:
    for program in PROGRAMS:
        sway.exec(sway.runnable(os.path.join(BUILD, program, program)))
    for name, (background, text) in BARS.items():
        if background != first_background:
            sway.bar_colours(background, text)
        try:
            xdesktop.wait_for(lambda: all_stand_out(sway, background)[0], "every icon standing out on the %s bar" % name,
                              timeout=30)
        except AssertionError as error:
            failures.append("%s: %s" % (error, [(first, ratio) for first, _, ratio in all_stand_out(sway, background)[1]]))
        _, icons, (width, rows) = all_stand_out(sway, background)
        left = max(0, (icons[0][0] if icons else width) - 8)
        png.write(os.path.join(BUILD, "icons-on-swaybar-%s.png" % name), width - left, len(rows),
                  png.crop(rows, left, 0, width - left, len(rows)))
    if failures:
        print(sway.sway_log()[-3000:])

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
