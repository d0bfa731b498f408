"""What a status-notifier panel does with an item, over the tests' own bus:
read its properties, activate it, and walk and click its dbusmenu."""
import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"


class Item:
    def __init__(self, address, bus, path):
        self.connection = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
            None, None)
        self.bus, self.path = bus, path

    def call(self, path, interface, method, arguments=None, reply=None):
        value = self.connection.call_sync(self.bus, path, interface, method, arguments,
                                          GLib.VariantType(reply) if reply else None,
                                          Gio.DBusCallFlags.NONE, 10000, None)
        return value.unpack() if value is not None else None

    def property(self, name):
        (value,) = self.call(self.path, "org.freedesktop.DBus.Properties", "Get",
                             GLib.Variant("(ss)", (ITEM, name)), "(v)")
        return value

    def activate(self):
        self.call(self.path, ITEM, "Activate", GLib.Variant("(ii)", (0, 0)))

    def secondary_activate(self):
        """What panels send for a middle click."""
        self.call(self.path, ITEM, "SecondaryActivate", GLib.Variant("(ii)", (0, 0)))

    def context_menu(self):
        self.call(self.path, ITEM, "ContextMenu", GLib.Variant("(ii)", (0, 0)))

    def menu_entries(self):
        """As a panel opens the menu: AboutToShow, then the layout, as
        (id, label, enabled, children) with separators as label None."""
        menu = self.property("Menu")
        self.call(menu, MENU, "AboutToShow", GLib.Variant("(i)", (0,)), "(b)")
        (_, layout) = self.call(menu, MENU, "GetLayout", GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")

        def entry(node):
            identifier, properties, children = node
            label = None if properties.get("type") == "separator" else properties.get("label", "")
            return (identifier, label, properties.get("enabled", True), [entry(child) for child in children])
        return [entry(child) for child in layout[2]]

    def menu_event(self, identifier, event):
        self.call(self.property("Menu"), MENU, "Event",
                  GLib.Variant("(isvu)", (identifier, event, GLib.Variant("i", 0), 0)))
