#!/usr/bin/env python3
"""A native Wayland window of GTK's (run with GDK_BACKEND=wayland):
`wayland_window.py APP_ID TITLE`. GTK takes the app id from the program
name. Runs under Debian's Python, which has GTK's bindings."""
import sys

import gi
gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402

GLib.set_prgname(sys.argv[1])
window = Gtk.Window(title=sys.argv[2])
window.set_default_size(300, 200)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
