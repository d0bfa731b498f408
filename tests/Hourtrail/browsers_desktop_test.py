#!/usr/bin/env python3
"""Hourtrail credits the website in front in Firefox and in Chromium as
Debian installs them, each with a fresh profile and nothing installed into
the browser: two pages of a local web server under two host names, in two
tabs switched in turn with the keyboard. A page is credited once the browser
has written it down (Firefox within 15 s of its load, Chromium within a few
seconds), a tab brought to the front at once, and no second goes to the host
that is no longer in front. The store is read back as it is saved."""
import http.server, os, shutil, subprocess, sys, tempfile, threading, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402
import hourtrail_store  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Hourtrail", "Hourtrail")
FIREFOX = shutil.which("firefox-esr") or shutil.which("firefox")
CHROMIUM = shutil.which("chromium")
if FIREFOX is None and CHROMIUM is None:
    print("skipped: no firefox-esr or chromium")
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


# Firefox's: only what the test's hosting needs (the two names on this
# machine) and what keeps a first start from showing its welcome pages.
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

def browse(name, command, title_suffix, app_names):
    """Both pages in `command`'s browser in front, switched in turn; each host credited."""
    with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
        config = os.path.join(home, "config")
        env = desktop.user_env(home)
        desktop.start_window_manager()
        browser = desktop.spawn(command(home) + ["http://%s:%d/" % (host, port) for host in HOSTS], env=env)
        title = lambda: desktop.run(["xdotool", "getactivewindow", "getwindowname"], check=False).stdout.strip()
        xdesktop.wait_for(lambda: title() == "Alpha pages" + title_suffix, name + " showing the first page", 90)

        program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
        web = lambda host: hourtrail_store.web_seconds(config, host)
        started = time.monotonic()
        xdesktop.wait_for(lambda: web("alpha.example") >= 1, name + ": alpha.example credited", 60)
        print("%s: alpha.example saved %.0f s after Hourtrail started" % (name, time.monotonic() - started))
        assert any(hourtrail_store.seconds(config, app) >= 1 for app in app_names), \
            hourtrail_store.activities(config)

        desktop.keys("ctrl+Next")
        xdesktop.wait_for(lambda: title() == "Beta pages" + title_suffix, name + ": the second tab in front")
        switched = time.monotonic()
        xdesktop.wait_for(lambda: web("beta.example") >= 1, name + ": beta.example credited", 60)
        print("%s: beta.example saved %.0f s after its tab came to the front" % (name, time.monotonic() - switched))
        alpha, beta = web("alpha.example"), web("beta.example")
        xdesktop.wait_for(lambda: web("beta.example") >= beta + 5, name + ": a further save", 40)
        assert web("alpha.example") == alpha, hourtrail_store.websites(config)
        # Until the browser wrote a page down it was unknown; no other host was credited.
        assert set(hourtrail_store.websites(config)) <= {"alpha.example", "beta.example", "Unknown Host"}, \
            hourtrail_store.websites(config)

        program.terminate()
        assert program.wait(timeout=20) == 0
        errors = program.stderr.read().decode()
        assert "running headless" not in errors and "unknown" not in errors, errors
        browser.terminate()


def firefox(home):
    profile = os.path.join(home, "profile")
    os.makedirs(profile)
    with open(os.path.join(profile, "user.js"), "w") as f:
        f.write(PREFERENCES)
    return [FIREFOX, "--profile", profile, "--no-remote"]


def chromium(home):
    rules = ", ".join("MAP %s 127.0.0.1" % host for host in HOSTS)
    # Chromium's sandbox refuses root, which CI runs as.
    sandbox = ["--no-sandbox"] if os.getuid() == 0 else []
    return [CHROMIUM, "--user-data-dir=" + os.path.join(home, "chromium"), "--no-first-run",
            "--no-default-browser-check", "--password-store=basic", "--host-resolver-rules=" + rules] + sandbox


if FIREFOX:
    browse("Firefox", firefox, " — Mozilla Firefox", ("Firefox ESR", "Firefox"))
if CHROMIUM:
    browse("Chromium", chromium, " - Chromium", ("Chromium Web Browser", "Chromium"))
server.shutdown()
print("ok")
