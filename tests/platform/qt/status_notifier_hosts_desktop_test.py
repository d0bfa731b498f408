#!/usr/bin/env python3
"""What a status-notifier item gives each kind of panel. Plasma recolours a
themed symbolic icon in its own text colour: it is given the installed
icon's name (IconName), and only when the icon is installed. GNOME Shell's
top bar is dark whatever the desktop's preference: the pixmap's symbol is
light there. Other panels get the pixmap alone, in the preference's colour.
The panel here is the tests' own, standing in for each by its process name."""
import os, subprocess, sys, tempfile
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import xdesktop  # noqa: E402

BUILD = os.path.abspath(sys.argv[1])
BINARY = os.path.join(BUILD, "Hourtrail", "Hourtrail")
INSTALLED = os.path.join(BUILD, "share")
STATUS_ICONS = os.path.join(INSTALLED, "icons", "hicolor", "scalable", "status")

xdesktop.under_system_python()
xdesktop.skip_without()
import sni  # noqa: E402


def icon_of(panel, data_dirs):
    """(IconName, the mean lightness of the largest pixmap's opaque pixels)
    of Hourtrail's item under a panel standing in for `panel`."""
    with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop(tray=None) as desktop:
        desktop.start_status_notifier_panel(standing_in_for=panel)
        desktop.spawn([BINARY], env=desktop.user_env(home, XDG_DATA_DIRS=data_dirs), stderr=subprocess.DEVNULL)
        item = sni.Item(desktop.env["DBUS_SESSION_BUS_ADDRESS"], *desktop.status_notifier_item())
        # The icon is drawn once the program has looked at its panel.
        xdesktop.wait_for(lambda: item.property("IconPixmap"), "the icon's pixmap")
        width, height, argb = max(item.property("IconPixmap"))
        opaque = [argb[i + 1:i + 4] for i in range(0, len(argb), 4) if argb[i] > 200]
        assert opaque, "the pixmap is empty"
        return item.property("IconName"), sum(sum(pixel) / 3 for pixel in opaque) / len(opaque)


with tempfile.TemporaryDirectory() as nothing_installed:
    name, _ = icon_of("plasmashell", INSTALLED)
    assert name.startswith("menulets-") and name.endswith("-symbolic"), name
    # The name is of a scalable symbolic icon in the hicolor theme, which
    # Plasma recolours through the colour scheme's class.
    tree = ElementTree.parse(os.path.join(STATUS_ICONS, name + ".svg"))
    assert "ColorScheme-Text" in ElementTree.tostring(tree.getroot(), encoding="unicode"), name

    # Not installed: a panel would find no icon of that name.
    name, _ = icon_of("plasmashell", nothing_installed)
    assert name == "", name

    # GNOME Shell's bar is dark: a light symbol, and no name to recolour.
    name, lightness = icon_of("gnome-shell", INSTALLED)
    assert name == "" and lightness > 200, (name, lightness)

    # Any other panel, with no dark preference: the pixmap alone, dark.
    name, lightness = icon_of("python3", INSTALLED)
    assert name == "" and lightness < 60, (name, lightness)
print("ok")
