#!/usr/bin/env python3
"""cmake --install puts every program and menulets-defaults, a manual page for
each, one desktop entry per program (Blinkbreak's registering its URL
scheme), the icons, the AppStream metainfo and the GNOME Shell extension under
a prefix; the entries pass
desktop-file-validate, the metainfo appstreamcli validate, the pages man's own
check. The install refreshes the desktop's caches in the prefix, so that the
scheme is routed to Blinkbreak at once, even where a cache was there before."""
import json, os, shutil, subprocess, sys, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from debian import PROGRAMS  # noqa: E402

BUILD = sys.argv[1]
THEME_ICONS = {"DawnList", "Starhop"}  # icons of the desktop's theme, not ours


def check_entry(prefix, program):
    entry_path = os.path.join(prefix, "share", "applications", "dev.menulets.%s.desktop" % program)
    with open(entry_path) as file:
        lines = file.read().splitlines()
    assert lines[0] == "[Desktop Entry]", lines
    assert "Exec=%s %%U" % program in lines, lines
    assert "Name=%s" % program in lines, lines
    keywords = next(line for line in lines if line.startswith("Keywords="))
    assert keywords.endswith(";") and keywords.count(";") >= 3, keywords
    icon = next(line.split("=", 1)[1] for line in lines if line.startswith("Icon="))
    if program not in THEME_ICONS:
        assert icon == "dev.menulets." + program, icon
        svg = os.path.join(prefix, "share", "icons", "hicolor", "scalable", "apps", icon + ".svg")
        with open(svg) as file:
            assert "<svg" in file.read(), svg
    mime = [line for line in lines if line.startswith("MimeType=")]
    assert mime == (["MimeType=x-scheme-handler/blinkbreak;"] if program == "Blinkbreak" else []), (program, mime)
    if shutil.which("desktop-file-validate"):
        checked = subprocess.run(["desktop-file-validate", entry_path], capture_output=True, text=True)
        assert checked.returncode == 0 and not checked.stdout.strip(), (program, checked.stdout)


def check_manual_page(prefix, name):
    page = os.path.join(prefix, "share", "man", "man1", name + ".1.gz")
    if not shutil.which("man"):
        assert os.path.exists(page), page
        return
    # As Debian's package checker reads a page: any warning of groff's counts.
    env = dict(os.environ, LC_ALL="C.UTF-8", MANROFFSEQ="", MANWIDTH="80")
    shown = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", page], env=env,
                           capture_output=True, text=True, timeout=60)
    assert shown.returncode == 0 and not shown.stderr, (name, shown.stderr)
    text = subprocess.run(["man", "-l", page], env=env, capture_output=True, text=True, timeout=60).stdout
    for heading in ["NAME", "SYNOPSIS", "DESCRIPTION", "FILES"]:
        assert "\n" + heading + "\n" in text, (name, heading, text)
    assert "%s - " % name in text and "\nCOMMANDS\n" in text, text


def check_metainfo(prefix, program):
    metainfo = os.path.join(prefix, "share", "metainfo", "dev.menulets.%s.metainfo.xml" % program)
    with open(metainfo) as file:
        text = file.read()
    for part in ["<launchable type=\"desktop-id\">dev.menulets.%s.desktop</launchable>" % program,
                 "<binary>%s</binary>" % program, "<screenshot type=\"default\">"]:
        assert part in text, (program, part)
    if shutil.which("appstreamcli"):
        checked = subprocess.run(["appstreamcli", "validate", "--no-net", "--explain", metainfo],
                                 capture_output=True, text=True, timeout=60)
        assert checked.returncode == 0 and "I:" not in checked.stdout and "W:" not in checked.stdout, checked.stdout


def scheme_handler(prefix, home):
    """The application that xdg-open would start for a blinkbreak: link, as a
    desktop without its own opener finds it (the installed entries first)."""
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(prefix, "share"), XDG_DATA_DIRS="/usr/share")
    env.pop("XDG_CURRENT_DESKTOP", None)
    found = subprocess.run(["xdg-mime", "query", "default", "x-scheme-handler/blinkbreak"], env=env,
                           capture_output=True, text=True, timeout=60)
    return found.stdout.strip()


with tempfile.TemporaryDirectory() as home:
    prefix = os.path.join(home, "local")
    # A cache made before, as by an earlier install of other programs: it
    # would hide the new scheme unless the install rebuilds it.
    applications = os.path.join(prefix, "share", "applications")
    os.makedirs(applications)
    with open(os.path.join(applications, "mimeinfo.cache"), "w") as cache:
        cache.write("[MIME Cache]\nx-scheme-handler/blinkbreak=gone.desktop;\n")
    installed = subprocess.run(["cmake", "--install", BUILD, "--prefix", prefix], capture_output=True, text=True)
    assert installed.returncode == 0, installed
    assert not os.path.exists(os.path.join(prefix, "bin", "defaults"))
    assert os.access(os.path.join(prefix, "bin", "menulets-defaults"), os.X_OK)
    check_manual_page(prefix, "menulets-defaults")
    for program in PROGRAMS:
        assert os.access(os.path.join(prefix, "bin", program), os.X_OK), program
        check_entry(prefix, program)
        check_manual_page(prefix, program)
        check_metainfo(prefix, program)
    # GNOME Shell takes an extension only from a folder named after its uuid.
    extensions = os.path.join(prefix, "share", "gnome-shell", "extensions")
    uuids = sorted(os.listdir(extensions))
    assert uuids == ["front-window-legacy@menulets.dev", "front-window@menulets.dev"], uuids
    for uuid in uuids:
        with open(os.path.join(extensions, uuid, "metadata.json")) as file:
            assert json.load(file)["uuid"] == uuid
        assert os.path.exists(os.path.join(extensions, uuid, "extension.js"))
    for document in ["copyright", "changelog.gz"]:
        assert os.path.exists(os.path.join(prefix, "share", "doc", "menulets", document)), document

    if shutil.which("update-desktop-database"):
        with open(os.path.join(applications, "mimeinfo.cache")) as cache:
            assert "x-scheme-handler/blinkbreak=dev.menulets.Blinkbreak.desktop;" in cache.read()
        if shutil.which("xdg-mime"):
            assert scheme_handler(prefix, home) == "dev.menulets.Blinkbreak.desktop"
    else:
        assert "update-desktop-database not found" in installed.stdout, installed.stdout
    if shutil.which("gtk-update-icon-cache"):
        assert os.path.exists(os.path.join(prefix, "share", "icons", "hicolor", "icon-theme.cache"))
print("installed %d programs with their entries, pages and metainfo" % len(PROGRAMS))
