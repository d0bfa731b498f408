#!/usr/bin/env python3
"""cmake --install puts every program, the defaults tool, one desktop entry per
program (Blinkbreak's registering its URL scheme) and the icons under a prefix,
and the entries pass desktop-file-validate."""
import os, shutil, subprocess, sys, tempfile

BUILD = sys.argv[1]
PROGRAMS = ["Carryover", "Hourtrail", "Urlstash", "Pricetray", "Talkclock", "Zivirodevevo", "DawnList", "Folderdock",
            "Blinkbreak", "Starhop", "Durovevadi"]
THEME_ICONS = {"DawnList", "Starhop"}  # icons of the desktop's theme, not ours

with tempfile.TemporaryDirectory() as prefix:
    subprocess.run(["cmake", "--install", BUILD, "--prefix", prefix], check=True, capture_output=True)
    assert os.access(os.path.join(prefix, "bin", "defaults"), os.X_OK)
    for program in PROGRAMS:
        assert os.access(os.path.join(prefix, "bin", program), os.X_OK), program
        entry_path = os.path.join(prefix, "share", "applications", "dev.menulets.%s.desktop" % program)
        with open(entry_path) as file:
            lines = file.read().splitlines()
        assert lines[0] == "[Desktop Entry]", lines
        assert "Exec=%s %%U" % program in lines, lines
        assert "Name=%s" % program in lines, lines
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
print("installed %d programs with their desktop entries" % len(PROGRAMS))
