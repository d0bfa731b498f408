# A console session of Urlstash: links dropped either side of midnight, a
# refused text drop, the folder revealed, the quit; then the link file and the
# defaults file as the user finds them, and the stop without a link folder.
import datetime, os, plistlib, subprocess, sys, tempfile

program = os.path.join(sys.argv[1], "Urlstash", "Urlstash")
failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


def run(home, commands, data_home):
    environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    environment.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=data_home,
                       TZ="America/New_York", LC_ALL="en_US.UTF-8")
    return subprocess.run([program, "--headless", "--clock", "2026-12-06T23:58"], input="\n".join(commands) + "\n",
                          capture_output=True, text=True, env=environment, timeout=60)


with tempfile.TemporaryDirectory() as home:
    session = run(home, ['drop-url https://a.example/one "One [draft]\\nTwo"', "advance 120",
                         "drop-url https://b.example/two", "drop-text https://c.example/", "click", "right-click"],
                  os.path.join(home, "data"))
    check("exit status", session.returncode, 0)
    folder = os.path.join(home, "data", "dev.menulets.Urlstash", "Links")
    for line in ["drop accepted", "drop refused: the item takes no drag of these types",
                 f'[opened] url="file://{folder}/"', "[terminate] status=0"]:
        check("has line " + line, line in session.stderr.splitlines(), True)
    with open(os.path.join(folder, "links.txt"), "rb") as file:
        check("link file", file.read(),
              "\nSunday, December 6, 2026\n\n- [One \\[draft\\] Two](https://a.example/one) \n"
              "\nMonday, December 7, 2026\n\n- [b.example](https://b.example/two) \n".encode())
    with open(os.path.join(home, "config", "menulets", "dev.menulets.Urlstash.plist"), "rb") as file:
        defaults = plistlib.load(file)
    midnight = datetime.datetime(2026, 12, 7, 5, tzinfo=datetime.timezone.utc).timestamp()
    check("defaults", defaults, {"Urlstash.mostRecentLog": midnight})
    check("its type", type(defaults.get("Urlstash.mostRecentLog")), float)

    blocker = os.path.join(home, "blocker")
    open(blocker, "w").close()
    stopped = run(home, ["status"], blocker)
    check("stopped", stopped.returncode != 0, True)
    check("fatal message", "Fatal error: An error occured when creating directory\n" in stopped.stderr, True)

if failures:
    print("\n".join(failures), "\n--- stderr of the session:\n" + session.stderr)
    sys.exit(1)
print("console session as expected")
