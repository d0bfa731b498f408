"""The compositors of KDE Plasma and GNOME as their sessions run them, headless,
beside an XDesktop and on its session bus: KWin (`kwin_wayland --virtual`)
and GNOME Shell (`gnome-shell --headless`), each with a Wayland socket of its
own, and native Wayland windows opened and closed on them. A window opened
there comes to the front; closing it gives the front back to the one before."""
import json, os, shutil, subprocess

import xdesktop

HERE = os.path.dirname(os.path.abspath(__file__))
WINDOW = os.path.join(HERE, "wayland_window.py")


def has_owner(desktop, name):
    answer = desktop.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path", "/",
                          "--method", "org.freedesktop.DBus.NameHasOwner", name], check=False)
    return answer.stdout.strip() == "(true,)"


class DesktopShell:
    """What both compositors share: their socket, their log, their windows."""

    socket = "wayland-of-shell"

    def __init__(self, desktop, home):
        self.desktop, self.home = desktop, home
        self.env = desktop.user_env(home)
        # Only Wayland: neither the compositor nor its windows may reach the X server.
        self.env.pop("DISPLAY")
        self.log_path = os.path.join(desktop.folder, type(self).__name__ + ".log")

    def start(self, command, env):
        with open(self.log_path, "w") as log:
            self.process = self.desktop.spawn(command, env=env, stdout=log, stderr=subprocess.STDOUT)

    def log(self):
        with open(self.log_path, errors="replace") as f:
            return f.read()

    def wait_for(self, condition, what, timeout=30):
        try:
            return xdesktop.wait_for(lambda: self.process.poll() is None and condition(), what, timeout)
        except AssertionError:
            raise AssertionError("%s; the compositor %s; it said:\n%s"
                                 % (what, "ended" if self.process.poll() is not None else "runs", self.log()[-4000:]))

    def program_env(self, **extra):
        """For a program of the suite in this session: its windows and icon on
        the X server, as Qt draws through Xwayland in such a session, and the
        compositor's socket to say which session it is."""
        return self.desktop.user_env(self.home, WAYLAND_DISPLAY=self.socket, **extra)

    def open_window(self, app_id, title):
        return self.desktop.spawn(["/usr/bin/python3", WINDOW, app_id, title],
                                  env=dict(self.env, GDK_BACKEND="wayland", WAYLAND_DISPLAY=self.socket))

    @staticmethod
    def close_window(window):
        window.terminate()
        window.wait(timeout=10)


class KWin(DesktopShell):
    """KWin as Plasma's Wayland session runs it, on a 1024x768 virtual output."""

    socket = "wayland-of-kwin"

    def __init__(self, desktop, home):
        super().__init__(desktop, home)
        # The installed binary carries a file capability that a container
        # without it refuses to run; a copy carries none.
        binary = os.path.join(desktop.folder, "kwin_wayland")
        shutil.copy(shutil.which("kwin_wayland"), binary)
        self.start([binary, "--virtual", "--no-lockscreen", "--socket", self.socket, "--width", "1024",
                    "--height", "768"], self.env)
        self.wait_for(lambda: has_owner(desktop, "org.kde.KWin"), "KWin on the bus")

    def script_loaded(self, name):
        answer = self.desktop.run(["gdbus", "call", "--session", "--dest", "org.kde.KWin", "--object-path",
                                   "/Scripting", "--method", "org.kde.kwin.Scripting.isScriptLoaded", name])
        return answer.stdout.strip() == "(true,)"


class GnomeShell(DesktopShell):
    """GNOME Shell as GNOME's Wayland session runs it, on a 1024x768 virtual
    monitor, with the extensions given as {uuid: folder} installed for the
    user and enabled, and the overview a session starts in put away, as a
    person does before working in a window."""

    socket = "wayland-of-gnome"

    def __init__(self, desktop, home, extensions):
        super().__init__(desktop, home)
        for uuid, folder in extensions.items():
            shutil.copytree(folder, os.path.join(home, "data", "gnome-shell", "extensions", uuid))
        settings = os.path.join(home, "config", "glib-2.0", "settings")
        os.makedirs(settings, exist_ok=True)
        with open(os.path.join(settings, "keyfile"), "w") as f:
            f.write("[org/gnome/shell]\nenabled-extensions=%s\ndisable-user-extensions=false\n"
                    % json.dumps(list(extensions)).replace('"', "'"))
        # The Shell's login-manager client needs a system bus; an empty one will do.
        system_bus = desktop.spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                   stdout=subprocess.PIPE)
        env = dict(self.env, GSETTINGS_BACKEND="keyfile",
                   DBUS_SYSTEM_BUS_ADDRESS=system_bus.stdout.readline().decode().strip())
        self.start(["gnome-shell", "--headless", "--wayland", "--no-x11", "--virtual-monitor", "1024x768",
                    "--wayland-display", self.socket], env)
        self.wait_for(lambda: has_owner(desktop, "org.gnome.Shell"), "GNOME Shell on the bus")
        for uuid in extensions:
            self.wait_for(lambda: self.extension_state(uuid) == 1, "the extension %s enabled" % uuid)
        # GNOME 40 and later end their start in the overview.
        self.wait_for(lambda: self.overview_shown(), "the overview the session starts in")
        self.call("org.freedesktop.DBus.Properties.Set", "org.gnome.Shell", "OverviewActive", "<false>")
        self.wait_for(lambda: not self.overview_shown(), "the overview put away")

    def overview_shown(self):
        return self.call("org.freedesktop.DBus.Properties.Get", "org.gnome.Shell", "OverviewActive") == "(<true>,)"

    def call(self, method, *arguments, check=True):
        return self.desktop.run(["gdbus", "call", "--session", "--dest", "org.gnome.Shell", "--object-path",
                                 "/org/gnome/Shell", "--method", method, *arguments], check=check).stdout.strip()

    def extension_state(self, uuid):
        """1 is enabled; 0 before the Shell serves its extensions or has looked at this one."""
        info = self.call("org.gnome.Shell.Extensions.GetExtensionInfo", uuid, check=False)
        return int(float(info.split("'state': <")[1].split(">")[0])) if "'state': <" in info else 0
