"""Drives the sample program through its console, end to end.

Run by CTest with the build folder as the only argument.
"""
import json
import os
import subprocess
import sys
import tempfile

BUILD = sys.argv[1]
SAMPLE = os.path.join(BUILD, "tests", "menulets_sample")

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(arguments, commands, home):
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    env["HOME"] = home
    env["XDG_CONFIG_HOME"] = os.path.join(home, "config")
    env["XDG_DATA_HOME"] = os.path.join(home, "data")
    result = subprocess.run([SAMPLE] + arguments, input="".join(line + "\n" for line in commands),
                            capture_output=True, text=True, env=env, timeout=60)
    return result


def scripted_session(home):
    commands = [
        "status",
        "click",
        "click option",
        "windows",
        "click option",
        "drop-url https://a.example/page 'A page'",
        "drop-text 'just text'",
        "advance 2",
        "item 1",
        "menu",
        "advance 5",
        "close-menu",
        "choose 'Open last link'",
        "choose 'Wrong kind'",
        "choose 'More/Remind me'",
        "choose 'More/Leave a tip'",
        "type 'Tip e.g. $2.50' $2.50",
        "type 'Tip e.g. $2.50' 3 dollars",
        "advance 10",
        "views",
        "escape",
        "bogus-command",
        "item 0",
        "right-click",
        "click",
    ]
    result = run(["--headless", "--json", "--clock", "2024-05-01T09:30:00Z"], commands, home)
    check(result.returncode == 0, "the session ends with status 0, not %d" % result.returncode)
    lines = [line for line in result.stderr.splitlines() if line]
    records = []
    for line in lines:
        try:
            records.append(json.loads(line))
        except ValueError:
            failures.append("not one JSON object a line: %r" % line)
    events = [record for record in records if "event" in record]
    kinds = [event["event"] for event in events]

    titles = [event["title"] for event in events if event["event"] == "statusItem" and "title" in event
              and event["item"] == 0]
    check(titles == ["0", "1"], "the count shows 0, then 1 (option-clicks do not count): %r" % titles)
    shown = [event for event in events if event["event"] == "windowShown"]
    check([event["title"] for event in shown][:2] == ["Sample", "Sample Panel"],
          "the launch window, then the panel on option-click: %r" % shown)
    check(any(event["event"] == "windowHidden" and event["title"] == "Sample Panel" for event in events),
          "the second option-click hides the panel")
    drops = [event for event in events if event["event"] == "drop"]
    check([drop["accepted"] for drop in drops] == [True, False], "a link is taken, plain text refused: %r" % drops)
    check({"event": "sound", "name": "Glass"} in events, "the drop plays Glass")

    menus = [record for record in records if record.get("reply") == "menu"]
    check(len(menus) == 1 and "  Ticks: 2 [disabled]" in menus[0]["lines"],
          "the menu shows the ticks of the moment it opened: %r" % menus)
    opened = [event["url"] for event in events if event["event"] == "opened"]
    check(opened == ["https://a.example/page"], "the represented link opens: %r" % opened)
    check(any(event["event"] == "windowShown" and event["title"] == "Reminder" for event in events),
          "the program's own URL opens a window of the group that handles it")
    typed = [record.get("lines") for record in records if record.get("command") == "type"]
    check(typed == [['"Tip e.g. $2.50" shows "$2.50"'],
                    ['"Tip e.g. $2.50" did not take "3 dollars"; it shows "$2.50"']],
          "the tip field takes dollars only: %r" % typed)
    views = [record["lines"] for record in records if record.get("reply") == "views"]
    check(len(views) == 1 and '      /0/1 Text "Tip: $2.50"' in views[0]
          and "      /0/2 Shape FillBar(0.5) fill=systemBlue animating" in views[0],
          "the tip shows below the field and the bar is halfway after 10 of 20 seconds: %r" % views)
    check(any(event["event"] == "windowClosed" and event["title"] == "Tip" for event in events),
          "Escape presses the tip window's cancel button, which closes it")
    errors = [record for record in records if "error" in record]
    check([error["command"] for error in errors] == ["bogus-command"], "only the unknown command fails: %r" % errors)
    check(kinds.count("terminate") == 1 and kinds[-1] == "terminate",
          "the right click ends the program; nothing after it runs: %r" % kinds[-3:])
    check("not a link" in result.stdout, "standard output stays the program's own: %r" % result.stdout)
    check("{" not in result.stdout, "no reports on standard output")


def readable_session(home):
    result = run(["--headless", "--clock", "2024-05-01T09:30:00+02:00"],
                 ["click", "bogus", "advance soon", "quit"], home)
    check(result.returncode == 0, "quit ends with status 0")
    check("[statusItem] item=0 title=\"1\"" in result.stderr, "events are readable lines: %r" % result.stderr)
    check("error: unknown command \"bogus\" (try help)" in result.stderr, "unknown commands are reported")
    check("error: usage: advance SECONDS" in result.stderr, "bad arguments are reported")
    check(result.stderr.rstrip().endswith("[terminate] status=0"), "quit terminates the program")


def real_clock_session(home):
    result = run(["--headless"], ["click", "advance 1", "status"], home)
    check(result.returncode == 0, "the end of the input quits the real-clock console too")
    check("[statusItem] item=0 title=\"1\"" in result.stderr, "commands run while the run loop turns")
    check("error: advance needs the virtual clock (--clock)" in result.stderr,
          "time moves by itself on the real clock")


def limits_session(home):
    """What automation may throw at the console: a clock moved past what
    calendars hold is refused at once, and a very long text is typed in memory
    linear in its length (a limit on the address space stands in for the kernel
    ending a program that took gigabytes)."""
    # The sanitizers' runtime reserves terabytes of address space for itself and
    # runs many times slower: the limit and the full length are for the plain
    # build, which the suite also runs.
    sanitized = "ASAN_OPTIONS" in os.environ
    long_text = "x" * (20000 if sanitized else 300000)

    def limited():
        if not sanitized:
            import resource
            resource.setrlimit(resource.RLIMIT_AS, (2 << 30, 2 << 30))

    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"))
    env.pop("DISPLAY", None)
    commands = ["advance 1e15", "advance 10", "item 1", "choose 'More/Leave a tip'",
                "type 'Tip e.g. $2.50' " + long_text, "quit"]
    result = subprocess.run([SAMPLE, "--json", "--clock", "2026-06-10T09:00:00Z"],
                            input="".join(line + "\n" for line in commands), capture_output=True, text=True, env=env,
                            timeout=120, preexec_fn=limited)
    check(result.returncode == 0, "the long session ends normally: %r" % result.stderr[-400:])
    replies = [json.loads(line) for line in result.stderr.splitlines()]
    errors = [r["error"] for r in replies if r.get("command") == "advance" and "error" in r]
    check(errors == ["advance 1e15 would pass the end of the year 9999"], "a span past 9999 is refused: %r" % errors)
    typed = [r for r in replies if r.get("command") == "type"]
    check(len(typed) == 1 and "error" not in typed[0], "the long text is typed: %r" % typed[:1])


def options(home):
    result = run(["--help"], [], home)
    check(result.returncode == 0 and "usage: menulets_sample" in result.stdout, "--help prints the usage")
    for command in ["status", "click", "right-click", "drop-url", "drop-file", "drop-text", "menu", "choose",
                    "windows", "views", "type", "escape", "advance", "sleep", "quit", "help"]:
        check("\n  " + command in result.stdout, "--help documents %s" % command)
    result = run(["--clock", "tomorrow"], [], home)
    check(result.returncode == 2 and "not an ISO 8601 date-time: tomorrow" in result.stderr,
          "a bad clock is refused with status 2")


with tempfile.TemporaryDirectory() as home:
    scripted_session(home)
    readable_session(home)
    real_clock_session(home)
    limits_session(home)
    options(home)

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
