#!/usr/bin/env python3
"""cpack makes a Debian package of the suite that a distribution would take:
every program and menulets-defaults with their manual pages, the desktop
entries, icons and AppStream metainfo under /usr, the copyright and changelog
where Debian keeps them, the dependencies declared; lintian finds nothing to
say but what the package's overrides explain; apt resolves it; each program
unpacked from it starts and ends cleanly."""
import gzip, os, re, shutil, subprocess, sys, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import debian  # noqa: E402

BUILD = os.path.abspath(sys.argv[1])

missing = [tool for tool in ["cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian"] if shutil.which(tool) is None]
if missing or not os.path.exists(os.path.join(BUILD, "CPackConfig.cmake")):
    print("skipped: no " + ", ".join(missing or ["CPack configuration"]))
    sys.exit(0)

with tempfile.TemporaryDirectory() as folder:
    package = debian.make_package(BUILD, folder)
    assert debian.field(package, "Package") == "menulets"
    depends = [group[0] for group in debian.alternatives(debian.field(package, "Depends"))]
    for needed in ["libqt6widgets6", "libqt6svg6", "libcanberra0", "xdg-utils", "libglib2.0-bin"]:
        assert needed in depends, (needed, depends)
    recommends = [group[0] for group in debian.alternatives(debian.field(package, "Recommends"))]
    assert recommends == ["sound-theme-freedesktop", "fonts-noto-color-emoji", "qt6-gtk-platformtheme"], recommends

    contents = subprocess.run(["dpkg-deb", "-c", package], capture_output=True, text=True, check=True).stdout
    files = set(re.findall(r" \./(\S+)$", contents, re.MULTILINE))
    for program in debian.PROGRAMS:
        for path in ["usr/bin/%s", "usr/share/applications/dev.menulets.%s.desktop", "usr/share/man/man1/%s.1.gz",
                     "usr/share/metainfo/dev.menulets.%s.metainfo.xml"]:
            assert path % program in files, path % program
    for path in ["usr/bin/menulets-defaults", "usr/share/man/man1/menulets-defaults.1.gz",
                 "usr/share/doc/menulets/copyright", "usr/share/doc/menulets/changelog.gz",
                 "usr/share/lintian/overrides/menulets"]:
        assert path in files, path
    assert "usr/bin/defaults" not in files

    root = os.path.join(folder, "root")
    subprocess.run(["dpkg-deb", "-x", package, root], check=True)
    with gzip.open(os.path.join(root, "usr/share/doc/menulets/changelog.gz"), "rt") as changelog:
        latest = re.match(r"menulets \(([^)]+)\) \w+; urgency=\w+$", changelog.readline())
    assert latest and latest.group(1) == debian.field(package, "Version"), latest

    # Errors, warnings and informational tags fail the test; an overridden tag
    # has its reason beside it in the overrides.
    checked = subprocess.run(["lintian", "--fail-on", "error,warning,info", "--display-info", "--pedantic",
                              package], capture_output=True, text=True, timeout=600)
    tags = [line for line in checked.stdout.splitlines() if re.match(r"[EWIPX]: ", line)]
    assert checked.returncode == 0 and not tags, checked.stdout + checked.stderr

    if shutil.which("apt-get"):
        # What apt would do on a machine without the suite: every dependency resolves.
        simulated = subprocess.run(["apt-get", "-s", "install", package], capture_output=True, text=True, timeout=300)
        assert simulated.returncode == 0 and "menulets" in simulated.stdout, simulated

    env = dict(os.environ, HOME=folder, XDG_CONFIG_HOME=folder + "/config", XDG_DATA_HOME=folder + "/data")
    for program in debian.PROGRAMS:
        started = subprocess.run([os.path.join(root, "usr", "bin", program), "--headless"], input="", env=env,
                                 capture_output=True, text=True, timeout=60)
        assert started.returncode == 0, (program, started)
        assert "[terminate] status=0" in started.stderr, (program, started.stderr)
print("package made and checked: " + os.path.basename(package))
