"""A desktop of the tests' own for driving the programs as a person would:
an X server (Xvfb) on a display of its choosing, a private session bus and a tray panel
(trayer for XEmbed, or a status-notifier watcher and host of the tests' own), real X
input through xdotool. Everything it starts ends
with it. Waits are for conditions, each with a deadline."""
import os, select, shutil, struct, subprocess, sys, tempfile, time, zlib

NEEDED = ["Xvfb", "xdotool", "xwininfo", "xwd", "dbus-daemon", "trayer"]


def missing_tools():
    missing = [tool for tool in NEEDED if shutil.which(tool) is None]
    gtk = ["/usr/bin/python3", "-c", "import gi; gi.require_version('Gtk', '3.0')"]
    if os.path.exists("/usr/bin/python3") and subprocess.run(gtk, capture_output=True).returncode != 0:
        missing.append("GTK for Python")
    return missing


def skip_without(*tools):
    """Ends the test as skipped, saying what is missing, without the desktop's
    tools or these."""
    missing = missing_tools() + [tool for tool in tools if shutil.which(tool) is None]
    if missing:
        print("skipped: no " + ", ".join(missing))
        sys.exit(0)


def under_system_python():
    """Runs the calling test again under Debian's Python, which has the GObject
    bindings the test's D-Bus calls use, unless this one has them."""
    try:
        import gi  # noqa: F401
    except ImportError:
        if os.path.exists("/usr/bin/python3") and os.path.realpath(sys.executable) != "/usr/bin/python3":
            os.execv("/usr/bin/python3", ["/usr/bin/python3", *sys.argv])


def wait_for(condition, what, timeout=20.0):
    """The condition's first true value, polled until the deadline."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)


class Window:
    def __init__(self, wid, name, wm_class, x, y, width, height):
        self.wid, self.name, self.wm_class = wid, name, wm_class
        self.x, self.y, self.width, self.height = x, y, width, height

    def centre(self):
        return self.x + self.width // 2, self.y + self.height // 2


def parse_tree(text):
    """Every window of `xwininfo -root -tree`, with its place on the screen."""
    windows = []
    for line in text.splitlines():
        line = line.strip()
        if not line.startswith("0x"):
            continue
        wid, rest = line.split(" ", 1)
        name = ""
        if rest.startswith('"'):
            end = rest.index('"', 1)
            name, rest = rest[1:end], rest[end + 1:]
        wm_class = ()
        if ": (" in rest:
            inside = rest[rest.index(": (") + 3:rest.index(")")]
            wm_class = tuple(part.strip('"') for part in inside.split('" "')) if inside else ()
        geometry = rest.split(")")[-1].split()
        size, absolute = geometry[0], geometry[1]
        width, height = (int(v) for v in size.split("+")[0].split("x"))
        x, y = (int(v) for v in absolute.replace("+-", "+=").replace("+", " ").replace("=", "-").split())
        windows.append(Window(int(wid, 16), name, wm_class, x, y, width, height))
    return windows


def xwd_pixels(xwd):
    """A 24- or 32-bit ZPixmap screen dump as (width, height, rows of RGB bytes)."""
    header = struct.unpack(">25I", xwd[:100])
    header_size, width, height = header[0], header[4], header[5]
    bits_per_pixel, bytes_per_line, colours = header[11], header[12], header[19]
    byte_order = header[7]
    pixels = xwd[header_size + colours * 12:]
    step = bits_per_pixel // 8
    rows = []
    for y in range(height):
        row = bytearray()
        line = pixels[y * bytes_per_line:y * bytes_per_line + width * step]
        for x in range(0, len(line), step):
            b, g, r = (line[x], line[x + 1], line[x + 2]) if byte_order == 0 else (line[x + 3], line[x + 2], line[x + 1])
            row += bytes((r, g, b))
        rows.append(bytes(row))
    return width, height, rows


def xwd_to_png(xwd, path):
    """Writes a screen dump as PNG (no imaging library needed)."""
    width, height, rows = xwd_pixels(xwd)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(b"\x00" + row for row in rows))) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


class XDesktop:
    """with XDesktop() as desktop: an X server, a bus and a tray panel;
    XDesktop(tray="sni") has a status-notifier panel instead of the XEmbed one,
    XDesktop(tray=None) none until the test starts one."""

    def __init__(self, tray="xembed"):
        self.tray = tray

    def __enter__(self):
        self.processes = []
        self.folder = tempfile.mkdtemp(prefix="menulets-desktop-")
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        # The server picks a free display itself and says which (tests may run side by side);
        # -noreset: held modifiers must survive clients coming and going.
        server = self.spawn(["Xvfb", "-displayfd", "1", "-noreset", "-nolisten", "tcp", "-screen", "0", "800x600x24"],
                            env=os.environ, stdout=subprocess.PIPE)
        self.display = ":" + server.stdout.readline().decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display, LC_ALL="C.UTF-8", TZ="UTC")
        self.env.pop("WAYLAND_DISPLAY", None)
        wait_for(lambda: self.run(["xwininfo", "-root"], check=False).returncode == 0, "the X server")
        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        if self.tray == "sni":
            self.start_status_notifier_panel()
        elif self.tray == "xembed":
            self.spawn(["trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "24"])
            wait_for(lambda: self.panel(), "the tray panel")

    def start_status_notifier_panel(self, standing_in_for=None):
        """The status-notifier watcher and host (sni_watcher.py), once it owns its
        name; `standing_in_for` names the panel process it pretends to be."""
        here = os.path.dirname(os.path.abspath(__file__))
        self.watcher = self.spawn(["/usr/bin/python3", os.path.join(here, "sni_watcher.py")] +
                                  ([standing_in_for] if standing_in_for else []), stdout=subprocess.PIPE)
        assert self.read_watcher(20) == "ready", "the status-notifier watcher did not start"

    def read_watcher(self, timeout):
        """The watcher's next line, waited for until the deadline."""
        ready, _, _ = select.select([self.watcher.stdout], [], [], timeout)
        assert ready, "timed out waiting for the status-notifier watcher"
        return self.watcher.stdout.readline().decode().strip()

    def status_notifier_item(self, timeout=20):
        """The next item that registers with the panel, as (bus name, object path)."""
        line = self.read_watcher(timeout)
        assert line.startswith("item "), line
        _, bus, path = line.split()
        return bus, path

    def registered_items(self):
        """Every item registered with the panel so far, oldest first (a program
        that makes its status item anew registers again)."""
        self.registered = getattr(self, "registered", [])
        while select.select([self.watcher.stdout], [], [], 0)[0]:
            self.registered.append(self.status_notifier_item(0))
        return self.registered

    def __exit__(self, *exception):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
        for process in reversed(self.processes):
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
            if process.stdout:
                process.stdout.close()
        shutil.rmtree(self.folder, ignore_errors=True)
        return False

    def user_env(self, home, **extra):
        """The desktop's environment for a user whose home and XDG folders are in `home`."""
        return dict(self.env, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
                    XDG_RUNTIME_DIR=home, **extra)

    def spawn(self, command, env=None, **options):
        options.setdefault("stdout", subprocess.DEVNULL)
        options.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(command, env=env or self.env, **options)
        self.processes.append(process)
        return process

    def run(self, command, check=True):
        done = subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=30)
        assert not check or done.returncode == 0, done
        return done

    def windows(self):
        # xwininfo fails when a window it listed is gone before it asks about
        # it (a menu closing): the tree is read again.
        def tree():
            done = self.run(["xwininfo", "-root", "-tree"], check=False)
            return done if done.returncode == 0 else None
        return parse_tree(wait_for(tree, "a window tree", timeout=10).stdout)

    def panel(self):
        return next((w for w in self.windows() if w.wm_class == ("panel", "trayer")), None)

    def docked_icon(self, program):
        """The program's icon inside the panel, once docked."""
        panel = self.panel()
        if panel is None:
            return None
        inside = lambda w: panel.x <= w.x < panel.x + panel.width and panel.y <= w.y < panel.y + panel.height
        return next((w for w in self.windows() if w.wm_class == (program, program) and inside(w) and w.width > 1), None)

    def visible_windows(self, program):
        found = self.run(["xdotool", "search", "--onlyvisible", "--class", program], check=False).stdout.split()
        return {int(wid) for wid in found}

    def click(self, x, y, button=1, modifiers=()):
        command = ["xdotool", "mousemove", str(x), str(y)]
        for key in modifiers:
            command += ["keydown", key]
        command += ["click", str(button)]
        for key in reversed(modifiers):
            command += ["keyup", key]
        self.run(command)

    def end_with_right_click(self, program, x, y, tries=4):
        """Right-clicks at (x, y) until the program ends (a loaded machine can
        lose a click) and returns its exit status."""
        for _ in range(tries):
            self.click(x, y, button=3)
            try:
                return program.wait(timeout=8)
            except subprocess.TimeoutExpired:
                pass
        return program.wait(timeout=20)

    def quit_from_menu(self, program, process, x, y, tries=3):
        """Opens `program`'s menu with a click at (x, y) and chooses its last
        entry, "Quit" (Up from no selection selects it), until `process`
        ends, and returns its exit status. Keys that reach a menu before it
        holds the keyboard are lost on a loaded machine: then the menu is
        closed and opened again."""
        for attempt in range(tries):
            shown = self.visible_windows(program)
            self.click(x, y)
            wait_for(lambda: self.visible_windows(program) - shown, "the menu")
            self.keys("Up", "Return")
            try:
                return process.wait(timeout=8 if attempt + 1 < tries else 20)
            except subprocess.TimeoutExpired:
                self.keys("Escape")
        raise AssertionError(program + " did not quit from its menu")

    def drag(self, start, end):
        """A person's drag: press, move in small steps, release."""
        command = ["xdotool", "mousemove", str(start[0]), str(start[1]), "mousedown", "1"]
        for step in range(1, 11):
            x = start[0] + (end[0] - start[0]) * step // 10
            y = start[1] + (end[1] - start[1]) * step // 10
            command += ["sleep", "0.1", "mousemove", str(x), str(y)]
        # A person lingers over the target: the last move is repeated so the
        # target has answered it (a loaded target answers late) before the release.
        command += ["sleep", "0.3", "mousemove", str(end[0] + 1), str(end[1]), "sleep", "0.3",
                    "mousemove", str(end[0]), str(end[1]), "sleep", "0.3", "mouseup", "1"]
        self.run(command)

    def drop(self, start, end, arrived, what, tries=3):
        """Drags from start to end until the arrived condition holds: a drop
        released before a loaded target answered is cancelled by the source,
        and nothing arrives, so it is made again."""
        for _ in range(tries - 1):
            self.drag(start, end)
            try:
                return wait_for(arrived, what, timeout=8)
            except AssertionError:
                pass
        self.drag(start, end)
        return wait_for(arrived, what)

    @staticmethod
    def end_source(source):
        """Ends a drag source and waits until its window is gone, so the next
        source is the only one under the pointer."""
        source.terminate()
        source.wait(timeout=20)

    def drop_chip(self, program, icon=None):
        """The program's drop chip: its visible 40-pixel square window beside the icon (if docked)."""
        shown = self.visible_windows(program)
        return next((w for w in self.windows()
                     if w.wid in shown and (icon is None or w.wid != icon.wid) and w.width == 40), None)

    def drag_source(self, *offer):
        """A drag source (drag_source.py) at 100,300, shown; drag from its centre, 130,330."""
        source = self.spawn(["/usr/bin/python3", os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                              "drag_source.py"), "100", "300", *offer],
                            stdout=subprocess.PIPE)
        assert source.stdout.readline().decode().strip() == "ready"
        return source

    def keys(self, *names):
        self.run(["xdotool", "key", *names])

    def type(self, text):
        """Typed key by key into the window that has the focus."""
        self.run(["xdotool", "type", "--delay", "40", text])

    def start_window_manager(self):
        """openbox, for focus and stacking as desktops have them."""
        self.spawn(["openbox", "--sm-disable"])
        wait_for(lambda: "_NET_SUPPORTING_WM_CHECK" in self.run(["xprop", "-root"], check=False).stdout,
                 "the window manager")

    def shown_window(self, title):
        """The program window with this title that is on the screen, if one is."""
        shown = {int(wid) for wid in self.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                                               check=False).stdout.split()}
        return next((w for w in self.windows() if w.wid in shown and w.width > 50 and w.height > 50), None)

    def dump(self, window=None):
        target = ["-id", str(window.wid)] if window else ["-root"]
        return subprocess.run(["xwd", "-silent", *target], env=self.env, capture_output=True, timeout=30,
                              check=True).stdout

    def screenshot(self, path, window=None):
        """A PNG of one window (the panel, a menu) or of the whole screen."""
        xwd_to_png(self.dump(window), path)

    def pixels_where(self, window, matches):
        """The window's pixels (x, y) whose colour (r, g, b) `matches`."""
        width, _, rows = xwd_pixels(self.dump(window))
        return [(x, y) for y, row in enumerate(rows) for x in range(width)
                if matches(row[3 * x], row[3 * x + 1], row[3 * x + 2])]

    def count_pixels(self, window, matches):
        return len(self.pixels_where(window, matches))
