#!/usr/bin/env python3
"""Console sessions of Carryover on the virtual clock: links dropped, forwarded
at 02:00, kept across restarts in the defaults file (read back by plistlib)."""
import datetime, json, os, plistlib, subprocess, sys, tempfile, zoneinfo

BINARY = os.path.join(sys.argv[1], "Carryover", "Carryover")


def session(home, clock, *commands):
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
               TZ="America/New_York", LC_ALL="C")
    done = subprocess.run([BINARY, "--headless", "--json", "--clock", clock], input="\n".join(commands) + "\n",
                          capture_output=True, text=True, env=env, timeout=60)
    assert done.returncode == 0 and done.stdout == "", done
    reports = [json.loads(line) for line in done.stderr.splitlines()]
    return [(r["event"], r.get("title"), r.get("url")) for r in reports
            if r.get("event") in ("opened", "terminate") or r.get("event") == "statusItem" and "title" in r]


with tempfile.TemporaryDirectory() as home:
    assert session(home, "2026-06-10T15:00", 'drop-url https://a.example/page "Page A"', "drop-url https://b.example/",
                   "advance 39600", "drop-url https://c.example/ C", "right-click") == [
        ("statusItem", "", None), ("statusItem", "2", None), ("terminate", None, None)]

    with open(os.path.join(home, "config", "menulets", "dev.menulets.Carryover.plist"), "rb") as f:
        values = plistlib.load(f)
    store = plistlib.loads(values["Carryover.store"], fmt=plistlib.FMT_BINARY)
    assert list(store) == ["storedLinks", "newLinks"] and list(store["newLinks"][0]) == ["link", "title"], store
    assert store == {
        "storedLinks": [{"link": {"relative": "https://a.example/page"}, "title": "Page A"},
                        {"link": {"relative": "https://b.example/"}, "title": "b.example"}],
        "newLinks": [{"link": {"relative": "https://c.example/"}, "title": "C"}]}, store
    rollover = datetime.datetime(2026, 6, 11, 2, tzinfo=zoneinfo.ZoneInfo("America/New_York")).timestamp()
    assert values["Carryover.mostRecentLog"] == rollover and type(values["Carryover.mostRecentLog"]) is float

    # Days later the saved lists show unchanged; the first click forwards c and opens all three.
    assert session(home, "2026-06-14T10:00", "click") == [
        ("statusItem", "2", None), ("opened", None, "https://a.example/page"), ("opened", None, "https://b.example/"),
        ("opened", None, "https://c.example/"), ("statusItem", "", None), ("terminate", None, None)]
    with open(os.path.join(home, "config", "menulets", "dev.menulets.Carryover.plist"), "rb") as f:
        opened = plistlib.loads(plistlib.load(f)["Carryover.store"], fmt=plistlib.FMT_BINARY)
    assert opened == {"storedLinks": [], "newLinks": []}, opened

# Links as browsers give them are kept as browsers write them; what a browser
# refuses is refused with its reason, never answered as kept.
with tempfile.TemporaryDirectory() as home:
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data", LC_ALL="C")
    done = subprocess.run([BINARY, "--headless", "--json", "--clock", "2026-06-10T15:00"],
                          input="drop-url 'https://bücher.example/a b' Books\ndrop-url 'https://ex ample.com/'\nquit\n",
                          capture_output=True, text=True, env=env, timeout=60)
    reports = [json.loads(line) for line in done.stderr.splitlines()]
    drops = [r["accepted"] for r in reports if r.get("event") == "drop"]
    assert drops == [True, False], reports
    assert any("the host ex ample.com is not a valid domain name" in json.dumps(r) for r in reports), reports
    with open(os.path.join(home, "config", "menulets", "dev.menulets.Carryover.plist"), "rb") as f:
        kept = plistlib.loads(plistlib.load(f)["Carryover.store"], fmt=plistlib.FMT_BINARY)
    assert kept["newLinks"] == [{"link": {"relative": "https://xn--bcher-kva.example/a%20b"}, "title": "Books"}], kept
