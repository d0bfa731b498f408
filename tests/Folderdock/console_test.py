# Console sessions of Folderdock: the menu before any drop, a folder dropped
# from the file manager and listed on standard output, an application
# launched and shown disabled while it runs, and the folder kept across a
# restart in the defaults file (read back by plistlib).
import os, plistlib, subprocess, sys, tempfile

program = os.path.join(sys.argv[1], "Folderdock", "Folderdock")
failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


def run(home, commands):
    environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    environment.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"), LC_ALL="en_US.UTF-8")
    session = subprocess.run([program, "--headless"], input="\n".join(commands) + "\n", capture_output=True,
                             text=True, env=environment, timeout=60)
    check("exit status", session.returncode, 0)
    return session


def make(path, text=""):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as file:
        file.write(text)


def menu_block(stderr, nth=0):
    """The lines of the nth menu listing, its heading included."""
    lines = stderr.splitlines()
    starts = [i for i, line in enumerate(lines) if line.startswith("menu ")]
    end = starts[nth] + 1
    while end < len(lines) and lines[end].startswith("  "):
        end += 1
    return lines[starts[nth]:end]


def stored_folder(home):
    with open(os.path.join(home, "config", "menulets", "dev.menulets.Folderdock.plist"), "rb") as file:
        archive = plistlib.loads(plistlib.load(file)["Folderdock.appDirectory"])
    root = archive["$objects"][archive["$top"]["root"].data]
    return archive["$objects"][root["NS.relative"].data]


with tempfile.TemporaryDirectory() as home:
    apps = os.path.join(home, "apps")
    make(os.path.join(apps, "Utilities", "Terminal.app", "Contents", "Info.plist"))
    make(os.path.join(apps, "notes.txt"), "not an application")
    fixed = ["  -----", "  Preferences [disabled]", "  Quit"]
    terminal = f"file://{apps}/Utilities/Terminal.app/"

    first = run(home, ["menu", "close-menu", f"drop-file {apps}", "menu", "choose Utilities/Terminal", "menu",
                       "choose Quit"])
    check("standard output", first.stdout.splitlines(),
          [f"file://{home}/Applications/", f"file://{apps}/", f"file://{apps}/", f"file://{apps}/Utilities/",
           terminal])
    check("menu before a drop", menu_block(first.stderr, 0), ['menu "Cart":'] + fixed)
    check("menu of the folder", menu_block(first.stderr, 1), ['menu "apps":', "  Utilities >", "    Terminal"] + fixed)
    check("launched", f'[launched] url="{terminal}" name="Terminal"' in first.stderr.splitlines(), True)
    check("menu while it runs", menu_block(first.stderr, 2),
          ['menu "apps":', "  Utilities >", "    Terminal [disabled]"] + fixed)
    check("quit", "[terminate] status=0" in first.stderr.splitlines(), True)
    # The home folder is kept as "~", as the defaults' URL setter writes it.
    check("stored folder", stored_folder(home), "~/apps/")

    restarted = run(home, ["menu", "choose Quit"])
    check("menu after a restart", menu_block(restarted.stderr, 0),
          ['menu "apps":', "  Utilities >", "    Terminal"] + fixed)

if failures:
    print("\n".join(failures), "\n--- stderr of the last session:\n" + restarted.stderr)
    sys.exit(1)
print("console sessions as expected")
