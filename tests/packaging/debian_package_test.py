#!/usr/bin/env python3
"""cpack makes a Debian package of the suite: every program, the defaults
tool, the desktop entries and icons under /usr, dependencies on the Qt
libraries the programs link (and its SVG plugin), installable as apt would
resolve it; each program unpacked from it starts and ends cleanly."""
import glob, os, shutil, subprocess, sys, tempfile

BUILD = os.path.abspath(sys.argv[1])
PROGRAMS = ["Carryover", "Hourtrail", "Urlstash", "Pricetray", "Talkclock", "Zivirodevevo", "DawnList", "Folderdock",
            "Blinkbreak", "Starhop", "Durovevadi"]

missing = [tool for tool in ["cpack", "dpkg-deb", "dpkg-shlibdeps"] if shutil.which(tool) is None]
if missing or not os.path.exists(os.path.join(BUILD, "CPackConfig.cmake")):
    print("skipped: no " + ", ".join(missing or ["CPack configuration"]))
    sys.exit(0)

with tempfile.TemporaryDirectory() as folder:
    made = subprocess.run(["cpack", "-G", "DEB", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", folder],
                          cwd=folder, capture_output=True, text=True, timeout=600)
    assert made.returncode == 0, made
    (package,) = glob.glob(os.path.join(folder, "menulets_*_amd64.deb")) or glob.glob(os.path.join(folder, "*.deb"))

    control = subprocess.run(["dpkg-deb", "-f", package, "Package", "Depends"], capture_output=True, text=True,
                             check=True).stdout
    assert "Package: menulets" in control, control
    for library in ["libqt6widgets6", "libqt6svg6", "libcanberra0", "xdg-utils"]:
        assert library in control, (library, control)

    contents = subprocess.run(["dpkg-deb", "-c", package], capture_output=True, text=True, check=True).stdout
    for program in PROGRAMS:
        assert "./usr/bin/%s\n" % program in contents, program
        assert "./usr/share/applications/dev.menulets.%s.desktop\n" % program in contents, program
    assert "./usr/bin/defaults\n" in contents

    if shutil.which("apt-get"):
        # What apt would do on a machine without the suite: every dependency resolves.
        simulated = subprocess.run(["apt-get", "-s", "install", package], capture_output=True, text=True, timeout=300)
        assert simulated.returncode == 0 and "menulets" in simulated.stdout, simulated

    root = os.path.join(folder, "root")
    subprocess.run(["dpkg-deb", "-x", package, root], check=True)
    env = dict(os.environ, HOME=folder, XDG_CONFIG_HOME=folder + "/config", XDG_DATA_HOME=folder + "/data")
    for program in PROGRAMS:
        started = subprocess.run([os.path.join(root, "usr", "bin", program), "--headless"], input="", env=env,
                                 capture_output=True, text=True, timeout=60)
        assert started.returncode == 0, (program, started)
        assert "[terminate] status=0" in started.stderr, (program, started.stderr)
print("package made and checked: " + os.path.basename(package))
