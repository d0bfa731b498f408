#!/usr/bin/python3
"""A drag source for the desktop tests, offering what browsers and file
managers offer: `drag_source.py X Y link URL TITLE` or `drag_source.py X Y
file PATH`. A 60x60 window at X,Y to start the drag from; it prints "ready"
once shown and stays until it is ended (a source that quits as the drag ends
leaves the target empty-handed)."""
import sys
import urllib.parse

import gi
gi.require_version("Gtk", "3.0")
gi.require_version("Gdk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402

x, y, kind = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
if kind == "link":
    url, title = sys.argv[4], sys.argv[5]
    offers = {
        "text/x-moz-url": (url + "\n" + title).encode("utf-16-le"),
        "_NETSCAPE_URL": (url + "\n" + title).encode(),
        "text/uri-list": (url + "\r\n").encode(),
        "text/html": ('<a href="%s">%s</a>' % (url, title)).encode(),
        "text/plain": url.encode(),
    }
else:
    uri = "file://" + urllib.parse.quote(sys.argv[4])
    offers = {"text/uri-list": (uri + "\r\n").encode()}

window = Gtk.Window(title="drag source")
window.set_default_size(60, 60)
window.move(x, y)
box = Gtk.EventBox()
box.add(Gtk.Label(label="drag"))
window.add(box)
targets = [Gtk.TargetEntry.new(name, Gtk.TargetFlags.OTHER_APP, index) for index, name in enumerate(offers)]
box.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, targets, Gdk.DragAction.COPY | Gdk.DragAction.LINK)


def give(widget, context, selection, info, time):
    name = list(offers)[info]
    selection.set(Gdk.Atom.intern(name, False), 8, offers[name])


box.connect("drag-data-get", give)
window.connect("map-event", lambda *args: print("ready", flush=True))
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
