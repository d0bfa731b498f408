"""The suite's Debian package as the package tests see it: made with cpack
from a build folder, and what dpkg knows of the packages installed here."""
import glob, os, re, subprocess

PROGRAMS = ["Carryover", "Hourtrail", "Urlstash", "Pricetray", "Talkclock", "Zivirodevevo", "DawnList", "Folderdock",
            "Blinkbreak", "Starhop", "Durovevadi"]


def make_package(build, folder):
    """The .deb that `cpack -G DEB` makes from the build, in `folder`."""
    made = subprocess.run(["cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", folder],
                          cwd=folder, capture_output=True, text=True, timeout=600)
    assert made.returncode == 0, made
    (package,) = glob.glob(os.path.join(folder, "menulets_*_amd64.deb"))
    return package


def field(package, name):
    return subprocess.run(["dpkg-deb", "-f", package, name], capture_output=True, text=True,
                          check=True).stdout.strip()


def alternatives(relation):
    """A Depends-style field as [[name, ...], ...]: each group's alternatives,
    without versions or architectures."""
    return [[re.split(r"[\s(:]", choice.strip())[0] for choice in group.split("|")]
            for group in relation.split(",") if group.strip()]


class InstalledPackages:
    def __init__(self):
        listing = subprocess.run(["dpkg-query", "-W", "-f",
                                  "${Package}\t${db:Status-Status}\t${Essential}\t${Provides}\t"
                                  "${Pre-Depends}, ${Depends}\n"],
                                 capture_output=True, text=True, check=True).stdout
        self.depends, self.providers, self.essential = {}, {}, set()
        for line in listing.splitlines():
            name, status, essential, provides, depends = line.split("\t")
            if status != "installed":
                continue
            self.depends[name] = depends
            if essential == "yes":
                self.essential.add(name)
            for virtual, in alternatives(provides):
                self.providers.setdefault(virtual, []).append(name)

    def installed(self, name):
        """The installed package that satisfies `name` (itself, or one that provides it)."""
        if name in self.depends:
            return name
        return next(iter(self.providers.get(name, [])), None)

    def closure(self, relation, optional=""):
        """Every installed package that the relation needs (and those of the
        optional relation that are installed), with what they need in turn,
        and the essential packages every system has."""
        needed, pending = set(), list(self.essential)
        for group in alternatives(relation):
            found = next(filter(None, map(self.installed, group)), None)
            assert found, "nothing installed satisfies " + " | ".join(group)
            pending.append(found)
        for group in alternatives(optional):
            pending.extend(filter(None, map(self.installed, group[:1])))
        while pending:
            name = pending.pop()
            if name in needed:
                continue
            needed.add(name)
            for group in alternatives(self.depends[name]):
                found = next(filter(None, map(self.installed, group)), None)
                assert found, "%s needs %s, which is not installed" % (name, " | ".join(group))
                pending.append(found)
        return needed


def owners(paths):
    """{path: package} for the paths that an installed package holds (some
    are made on the machine: caches, generated configuration)."""
    owned = {}
    paths = sorted(paths)
    for start in range(0, len(paths), 200):
        found = subprocess.run(["dpkg-query", "-S", *paths[start:start + 200]], capture_output=True, text=True)
        for line in found.stdout.splitlines():
            packages, _, path = line.partition(": ")
            if path in paths and not packages.startswith("diversion by"):
                owned[path] = packages.split(",")[0].split(":")[0].strip()
    return owned
