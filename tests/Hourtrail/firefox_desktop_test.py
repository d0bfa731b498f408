#!/usr/bin/env python3
"""Hourtrail credits the website in front in Firefox as Debian installs it,
with a fresh profile and nothing installed into the browser: two pages of a
local web server under two host names, in two tabs switched in turn with the
keyboard. A page is credited once Firefox has written it down (within 15 s of
its load), a tab brought to the front at once, and no second goes to the
host that is no longer in front. The store is read back as it is saved."""
import http.server, os, shutil, subprocess, sys, tempfile, threading, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402
import hourtrail_store  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Hourtrail", "Hourtrail")
FIREFOX = shutil.which("firefox-esr") or shutil.which("firefox")
if FIREFOX is None:
    print("skipped: no firefox-esr")
    sys.exit(0)
xdesktop.skip_without("openbox", "xprop")

HOSTS = {"alpha.example": "Alpha pages", "beta.example": "Beta pages"}


class Pages(http.server.BaseHTTPRequestHandler):
    """A page titled after the host it was asked for."""

    def do_GET(self):
        title = HOSTS.get(self.headers.get("Host", "").split(":")[0], "Elsewhere")
        body = ("<!doctype html><title>%s</title><p>%s</p>" % (title, title)).encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *arguments):
        pass


# Only what the test's hosting needs (the two names on this machine) and
# what keeps a first start from showing its welcome pages.
PREFERENCES = """
user_pref("network.dns.localDomains", "%s");
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
""" % ",".join(HOSTS)

server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Pages)
threading.Thread(target=server.serve_forever, daemon=True).start()
port = server.server_address[1]

with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    config = os.path.join(home, "config")
    env = desktop.user_env(home)
    desktop.start_window_manager()
    profile = os.path.join(home, "profile")
    os.makedirs(profile)
    with open(os.path.join(profile, "user.js"), "w") as f:
        f.write(PREFERENCES)
    browser = desktop.spawn([FIREFOX, "--profile", profile, "--no-remote"] +
                            ["http://%s:%d/" % (host, port) for host in HOSTS], env=env)
    title = lambda: desktop.run(["xdotool", "getactivewindow", "getwindowname"], check=False).stdout.strip()
    xdesktop.wait_for(lambda: title() == "Alpha pages — Mozilla Firefox", "Firefox showing the first page", 90)

    program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
    seconds = lambda name: hourtrail_store.seconds(config, name)
    started = time.monotonic()
    xdesktop.wait_for(lambda: hourtrail_store.web_seconds(config, "alpha.example") >= 1,
                      "alpha.example credited", 60)
    print("alpha.example saved %.0f s after Hourtrail started" % (time.monotonic() - started))
    assert seconds("Firefox ESR") >= 1 or seconds("Firefox") >= 1, hourtrail_store.activities(config)

    desktop.keys("ctrl+Next")
    xdesktop.wait_for(lambda: title() == "Beta pages — Mozilla Firefox", "the second tab in front")
    switched = time.monotonic()
    xdesktop.wait_for(lambda: hourtrail_store.web_seconds(config, "beta.example") >= 1,
                      "beta.example credited", 60)
    print("beta.example saved %.0f s after its tab came to the front" % (time.monotonic() - switched))
    alpha = hourtrail_store.web_seconds(config, "alpha.example")
    beta = hourtrail_store.web_seconds(config, "beta.example")
    xdesktop.wait_for(lambda: hourtrail_store.web_seconds(config, "beta.example") >= beta + 5, "a further save", 40)
    assert hourtrail_store.web_seconds(config, "alpha.example") == alpha, hourtrail_store.websites(config)
    # Until Firefox wrote the second tab down the page was unknown; no other host was credited.
    assert set(hourtrail_store.websites(config)) <= {"alpha.example", "beta.example", "Unknown Host"}, \
        hourtrail_store.websites(config)

    program.terminate()
    assert program.wait(timeout=20) == 0
    errors = program.stderr.read().decode()
    assert "running headless" not in errors and "unknown" not in errors, errors
    browser.terminate()
server.shutdown()
print("ok")
