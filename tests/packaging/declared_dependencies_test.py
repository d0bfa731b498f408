#!/usr/bin/env python3
"""Every program, started from its unpacked Debian package on a desktop, runs
on what the package declares. Its PATH holds only the commands of the
dependencies (with what they need in turn, and the essential packages), and
the helpers it runs are seen at work: the URL opener (Starhop's click), gio (a
Folderdock entry chosen) and gsettings (Durovevadi's click). Every command it
runs and every library it links comes from those packages; the Qt plugins
and fonts it has loaded come from them or from the recommended ones. (What
libraries load only where they are installed, such as the X cursor library,
is not judged.)"""
import os, re, shutil, subprocess, sys, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
sys.path.insert(0, HERE)
import xdesktop  # noqa: E402

xdesktop.under_system_python()
BUILD = os.path.abspath(sys.argv[1])
xdesktop.skip_without("cpack", "dpkg-deb", "dpkg-shlibdeps", "strace", "gio")
if not os.path.exists(os.path.join(BUILD, "CPackConfig.cmake")):
    print("skipped: no CPack configuration")
    sys.exit(0)
import debian  # noqa: E402
import gi  # noqa: E402
import sni  # noqa: E402


def commands_of(packages):
    """{name: path} of the commands that the packages install."""
    files = subprocess.run(["dpkg-query", "-L", *sorted(packages)], capture_output=True, text=True).stdout
    return {os.path.basename(path): path for path in files.splitlines()
            if re.fullmatch(r"(/usr)?/s?bin/[^/]+", path) and os.access(path, os.X_OK)}


def write(path, text, executable=False):
    with open(path, "w") as f:
        f.write(text)
    if executable:
        os.chmod(path, 0o755)


def spellings(path):
    """The names dpkg may know a file by: as opened, resolved, and on either
    side of the /usr merge."""
    names = {path, os.path.realpath(path)}
    for name in list(names):
        if name.startswith("/usr/lib/") or name.startswith("/usr/bin/") or name.startswith("/usr/sbin/"):
            names.add(name[len("/usr"):])
        elif re.match(r"/(lib|lib64|bin|sbin)/", name):
            names.add("/usr" + name)
    return names


def commands_run(log_folder):
    """Every command that a traced process ran."""
    found = set()
    for name in os.listdir(log_folder):
        with open(os.path.join(log_folder, name), errors="replace") as log:
            found.update(re.findall(r'^\d+ +execve\("([^"]+)"', log.read(), re.MULTILINE))
    return found


def linked_libraries(binary):
    """The shared libraries that the dynamic loader maps for the binary."""
    listed = subprocess.run(["ldd", binary], capture_output=True, text=True, check=True).stdout
    return set(re.findall(r"=> (/\S+)", listed))


def loaded_files(pid):
    """The Qt plugins and fonts that the running process has mapped."""
    with open("/proc/%d/maps" % pid) as maps:
        mapped = {line.split()[-1] for line in maps if "/" in line}
    return {path for path in mapped if "/qt6/plugins/" in path or path.startswith("/usr/share/fonts/")}


def strays(paths, allowed, ignored_folder):
    """{package: [path, ...]} of the paths that a package outside `allowed` holds."""
    known = debian.owners({name for path in paths for name in spellings(path)})
    found = {}
    for path in sorted(paths):
        if path.startswith(ignored_folder):
            continue
        owner = next((known[name] for name in spellings(path) if name in known), None)
        assert owner, "no package holds " + path
        if owner not in allowed:
            found.setdefault(owner, []).append(path)
    return found


with tempfile.TemporaryDirectory() as folder, xdesktop.XDesktop(tray="sni") as desktop:
    package = debian.make_package(BUILD, folder)
    root = os.path.join(folder, "root")
    subprocess.run(["dpkg-deb", "-x", package, root], check=True)
    installed = debian.InstalledPackages()
    allowed = installed.closure(debian.field(package, "Depends"))
    recommended = installed.closure(debian.field(package, "Depends"), debian.field(package, "Recommends"))

    # The PATH: the dependencies' commands, and a recorder of the tests' own
    # that stands for the browser and for an application in Folderdock's folder.
    path = os.path.join(folder, "path")
    os.makedirs(path)
    for name, command in commands_of(allowed).items():
        os.symlink(command, os.path.join(path, name))
    recorder = os.path.join(path, "recorder")
    write(recorder, "#!/bin/sh\necho \"$@\" >> \"$RECORDED\"\n", executable=True)
    home = os.path.join(folder, "home")
    os.makedirs(home, mode=0o700)
    recorded = os.path.join(home, "recorded")
    apps = os.path.join(home, "Apps")
    os.makedirs(apps)
    write(os.path.join(apps, "recorder.desktop"),
          "[Desktop Entry]\nType=Application\nName=Recorder\nExec=recorder launched\n")

    logs = os.path.join(folder, "logs")
    os.makedirs(logs)
    env = desktop.user_env(home, PATH=path, BROWSER="recorder", RECORDED=recorded, GSETTINGS_BACKEND="keyfile")

    def recorded_lines():
        return open(recorded).read().splitlines() if os.path.exists(recorded) else []

    def start(program, *arguments, **extra_env):
        known_items = len(desktop.registered_items())
        process = desktop.spawn([shutil.which("strace"), "-f", "-qq", "-e", "trace=execve", "-e", "status=successful",
                                 "-o", os.path.join(logs, program), "-ff",
                                 os.path.join(root, "usr", "bin", program), *arguments],
                                env=dict(env, **extra_env), stderr=subprocess.PIPE)
        item = xdesktop.wait_for(lambda: desktop.registered_items()[known_items:], program + "'s item in the panel")[0]
        return process, sni.Item(desktop.env["DBUS_SESSION_BUS_ADDRESS"], *item)

    loaded = set()
    for program in debian.PROGRAMS:
        if program == "Folderdock":
            process, item = start(program, "--drop-file", apps)

            def live_item():
                """Taking the folder makes the item anew: the last one registered, once it has its menu."""
                try:
                    found = sni.Item(desktop.env["DBUS_SESSION_BUS_ADDRESS"], *desktop.registered_items()[-1])
                    entries = found.menu_entries() if found.property("Menu") else []
                    return found if any(shown == "Recorder" for _, shown, _, _ in entries) else None
                except gi.repository.GLib.GError:
                    return None
            item = xdesktop.wait_for(live_item, "the folder's entry in Folderdock's menu")
            chosen = next(i for i, shown, _, _ in item.menu_entries() if shown == "Recorder")
            item.menu_event(chosen, "clicked")
            item.menu_event(0, "closed")
            xdesktop.wait_for(lambda: "launched" in recorded_lines(), "the entry started through gio")
        elif program == "Starhop":
            # No system folders of desktop entries: the machine's own browsers would take the link from $BROWSER.
            process, item = start(program, "--drop-url", "https://news.example/today",
                                  XDG_DATA_DIRS=os.path.join(home, "no-applications"))
            xdesktop.wait_for(lambda: "news.example" in item.property("ToolTip")[2], "the link taken")
            item.activate()
            xdesktop.wait_for(lambda: "https://news.example/today" in recorded_lines(),
                              "the link opened through xdg-open")
        elif program == "Durovevadi":
            # Where the desktop's colour scheme is GNOME's, gsettings sets it.
            process, item = start(program, XDG_CURRENT_DESKTOP="GNOME")
            item.activate()
            keyfile = os.path.join(home, "config", "glib-2.0", "settings", "keyfile")
            xdesktop.wait_for(lambda: os.path.exists(keyfile) and "color-scheme" in open(keyfile).read(),
                              "the desktop's setting written through gsettings")
        else:
            process, item = start(program)
        # The program, not its tracer, is told to end, as a session's end tells it.
        (traced,) = subprocess.run(["pgrep", "-P", str(process.pid)], capture_output=True, text=True).stdout.split()
        loaded.update(loaded_files(int(traced)))
        subprocess.run(["kill", "-TERM", traced], check=True)
        process.wait(timeout=30)
        errors = process.stderr.read().decode()
        assert process.returncode == 0, (program, errors)

    linked = set().union(*(linked_libraries(os.path.join(root, "usr", "bin", program))
                           for program in debian.PROGRAMS))
    needed = strays(commands_run(logs) | linked, allowed, folder)
    assert not needed, "run or linked, but not among the dependencies: %s" % needed
    assert any("/plugins/platforms/" in path for path in loaded), loaded
    assert any("/plugins/imageformats/libqsvg" in path for path in loaded), loaded
    wanted = strays(loaded, recommended, folder)
    assert not wanted, "loaded, but neither a dependency nor recommended: %s" % wanted
print("every program ran on its declared dependencies (%d packages)" % len(allowed))
