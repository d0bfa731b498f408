// Serves the window in front on the session bus, under GNOME Shell's own
// name (org.gnome.Shell, /dev/menulets/FrontWindow): Current() gives the
// focused window's class (its app id on Wayland), process and title, and
// Activated says each change, of the window or of its title. An empty class
// means no window is focused.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const OBJECT_PATH = '/dev/menulets/FrontWindow';
const INTERFACE = `<node>
  <interface name="dev.menulets.FrontWindow">
    <method name="Current">
      <arg name="windowClass" type="s" direction="out"/>
      <arg name="processIdentifier" type="s" direction="out"/>
      <arg name="title" type="s" direction="out"/>
    </method>
    <signal name="Activated">
      <arg name="windowClass" type="s"/>
      <arg name="processIdentifier" type="s"/>
      <arg name="title" type="s"/>
    </signal>
  </interface>
</node>`;

function describe(window) {
    if (!window)
        return ['', '0', ''];
    return [window.get_wm_class() ?? '', String(window.get_pid()), window.get_title() ?? ''];
}

export default class FrontWindowExtension extends Extension {
    enable() {
        this._window = null;
        this._titleHandler = 0;
        this._service = Gio.DBusExportedObject.wrapJSObject(INTERFACE, this);
        this._service.export(Gio.DBus.session, OBJECT_PATH);
        this._focusHandler = global.display.connect('notify::focus-window', () => this._follow());
        this._follow();
    }

    disable() {
        global.display.disconnect(this._focusHandler);
        this._unfollow();
        this._service.unexport();
        this._service = null;
    }

    Current() {
        return describe(this._window);
    }

    _follow() {
        this._unfollow();
        this._window = global.display.focus_window;
        if (this._window)
            this._titleHandler = this._window.connect('notify::title', () => this._announce());
        this._announce();
    }

    _unfollow() {
        if (this._window && this._titleHandler)
            this._window.disconnect(this._titleHandler);
        this._window = null;
        this._titleHandler = 0;
    }

    _announce() {
        this._service.emit_signal('Activated', new GLib.Variant('(sss)', describe(this._window)));
    }
}
