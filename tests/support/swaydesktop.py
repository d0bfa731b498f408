"""A real status-notifier panel as people run it: sway, headless, with its
own swaybar (black by default) and Xwayland. Sway refuses to run as root, so
where the tests run as root the whole session (sway, its bus, the programs
it starts) belongs to the unprivileged user `nobody`."""
import glob, json, os, shutil, signal, subprocess, tempfile

import png
import xdesktop

NOBODY = 65534
TOOLS = ("sway", "swaybar", "swaymsg", "grim", "Xwayland", "dbus-run-session")


def skip_without():
    xdesktop.skip_without(*TOOLS)


class SwayDesktop:
    """with SwayDesktop(bar_colours) as sway: a 1280x800 headless output with a
    bar at the top whose tray shows every output's items."""

    def __init__(self, background="#000000", statusline="#ffffff"):
        self.background, self.statusline = background, statusline

    def __enter__(self):
        self.folder = tempfile.mkdtemp(prefix="menulets-sway-")
        os.chmod(self.folder, 0o755)
        self.runtime = os.path.join(self.folder, "runtime")
        self.home = os.path.join(self.folder, "home")
        os.makedirs(self.runtime, mode=0o700)
        os.makedirs(self.home)
        config = os.path.join(self.folder, "config")
        with open(config, "w") as out:
            out.write("output HEADLESS-1 resolution 1280x800\n"
                      "bar {\n  id menulets\n  position top\n  height 28\n  tray_output *\n  tray_padding 4\n"
                      "  colors {\n    background %s\n    statusline %s\n  }\n}\n" % (self.background, self.statusline))
        self.as_user = []
        if os.getuid() == 0:
            for path in (self.folder, self.runtime, self.home, config):
                os.chown(path, NOBODY, NOBODY)
            self.as_user = ["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups"]
        self.env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.home, "XDG_RUNTIME_DIR": self.runtime,
                    "WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman",
                    "LC_ALL": "C.UTF-8", "TZ": "UTC", "XDG_CONFIG_HOME": self.home + "/config",
                    "XDG_DATA_HOME": self.home + "/data"}
        self.log = open(os.path.join(self.folder, "sway.log"), "w")
        # Its own process group, so that ending it ends all it started.
        self.sway = subprocess.Popen(self.as_user + ["dbus-run-session", "--", "sway", "-c", config], env=self.env,
                                     stdout=self.log, stderr=subprocess.STDOUT, start_new_session=True)
        try:
            socket = xdesktop.wait_for(lambda: glob.glob(os.path.join(self.runtime, "sway-ipc.*.sock")),
                                       "sway's IPC socket")[0]
            self.env["SWAYSOCK"] = socket
            self.env["WAYLAND_DISPLAY"] = xdesktop.wait_for(
                lambda: next((os.path.basename(p) for p in glob.glob(os.path.join(self.runtime, "wayland-*"))
                              if not p.endswith(".lock")), None), "sway's Wayland socket")
            xdesktop.wait_for(lambda: self.bar_is_drawn(), "the bar")
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exception):
        if self.sway.poll() is None:
            os.killpg(self.sway.pid, signal.SIGTERM)
            try:
                self.sway.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self.sway.pid, signal.SIGKILL)
                self.sway.wait()
        # What sway started may outlive it for a moment.
        try:
            os.killpg(self.sway.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.log.close()
        shutil.rmtree(self.folder, ignore_errors=True)
        return False

    def sway_log(self):
        with open(os.path.join(self.folder, "sway.log")) as log:
            return log.read()

    def swaymsg(self, *arguments):
        done = subprocess.run(self.as_user + ["swaymsg"] + list(arguments), env=self.env, capture_output=True,
                              text=True, timeout=30)
        assert done.returncode == 0, done
        return done.stdout

    def exec(self, command):
        """Starts a command the way a person's sway does: as its child, with
        DISPLAY for its Xwayland and the session's bus."""
        self.swaymsg("exec", command)

    def runnable(self, program):
        """A path of `program` the session's user may run: the program itself,
        or a copy in the session's folder when it lies where that user cannot
        reach (a build tree in root's home)."""
        if not self.as_user or subprocess.run(self.as_user + ["test", "-x", program]).returncode == 0:
            return program
        copy = os.path.join(self.folder, "bin", os.path.basename(program))
        os.makedirs(os.path.dirname(copy), exist_ok=True)
        shutil.copy(program, copy)
        os.chmod(copy, 0o755)
        return copy

    def bar_colours(self, background, statusline):
        """Recolours the bar while it runs, as `swaymsg bar …` does."""
        self.swaymsg("bar", "menulets", "colors", "background", background)
        self.swaymsg("bar", "menulets", "colors", "statusline", statusline)

    def bar_config(self):
        return json.loads(self.swaymsg("-t", "get_bar_config", "menulets"))

    def screenshot(self):
        """(width, height, rows) of the whole output, bar included."""
        path = os.path.join(self.folder, "screen.png")
        subprocess.run(self.as_user + ["grim", path], env=self.env, check=True, timeout=30)
        return png.read(path)

    def bar(self):
        """The bar's rows (28 pixels high, the whole width)."""
        width, _, rows = self.screenshot()
        return width, rows[:28]

    def bar_is_drawn(self):
        try:
            _, rows = self.bar()
        except (subprocess.CalledProcessError, ValueError):
            return False
        return rows[0][-3:] == bytes.fromhex(self.background[1:7])
