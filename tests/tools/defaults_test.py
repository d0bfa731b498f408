"""The defaults tool against files that Python's plistlib reads and writes.

Run with the build folder as the only argument; every run uses a fresh
temporary home and XDG_CONFIG_HOME.
"""

import datetime
import io
import os
import plistlib
import struct
import subprocess
import sys
import tempfile
import unittest

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build"


def find_tool():
    path = os.path.join(BUILD, "tools", "menulets-defaults")
    if not os.access(path, os.X_OK):
        raise SystemExit("defaults tool not found: " + path)
    return path


TOOL = find_tool()


class DefaultsTool(unittest.TestCase):
    def setUp(self):
        self.home = tempfile.TemporaryDirectory()
        self.config = os.path.join(self.home.name, "config")
        self.folder = os.path.join(self.config, "menulets")
        self.env = dict(os.environ, HOME=self.home.name, XDG_CONFIG_HOME=self.config)

    def tearDown(self):
        self.home.cleanup()

    def run_tool(self, *arguments, stdin=b""):
        return subprocess.run([TOOL, *arguments], env=self.env, input=stdin, capture_output=True, timeout=30)

    def ok(self, *arguments, stdin=b""):
        result = self.run_tool(*arguments, stdin=stdin)
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        return result.stdout

    def fails(self, *arguments, message):
        result = self.run_tool(*arguments)
        self.assertNotEqual(result.returncode, 0)
        self.assertIn(message, result.stderr.decode())

    def domain_file(self, domain):
        return os.path.join(self.folder, domain + ".plist")

    def load(self, domain):
        with open(self.domain_file(domain), "rb") as file:
            return plistlib.load(file)

    def dump(self, domain, value):
        os.makedirs(self.folder, exist_ok=True)
        with open(self.domain_file(domain), "wb") as file:
            plistlib.dump(value, file, fmt=plistlib.FMT_BINARY, sort_keys=False)

    def test_written_values_read_back_with_plistlib(self):
        domain = "dev.menulets.Talkclock"
        self.ok("write", domain, "Talkclock.target", "-float", "600")
        self.ok("write", domain, "Talkclock.running", "-bool", "YES")
        self.ok("write", domain, "count", "-int", "-9223372036854775808")
        self.ok("write", domain, "title", "-string", "Caf\u00e9 \U0001F680")
        self.ok("write", domain, "plain", "no type given")
        self.ok("write", domain, "blob", "-data", "<00ff 10>")
        self.assertEqual(self.load(domain), {
            "Talkclock.target": 600.0,
            "Talkclock.running": True,
            "count": -9223372036854775808,
            "title": "Caf\u00e9 \U0001F680",
            "plain": "no type given",
            "blob": b"\x00\xff\x10",
        })
        self.ok("write", "-g", "AppleInterfaceStyle", "Dark")
        with open(os.path.join(self.folder, ".GlobalPreferences.plist"), "rb") as file:
            self.assertEqual(plistlib.load(file), {"AppleInterfaceStyle": "Dark"})
        self.assertEqual(self.ok("domains"), b"dev.menulets.Talkclock\n")

    def test_reads_what_plistlib_wrote_decoding_nested_property_lists(self):
        store = plistlib.dumps({"storedLinks": [{"link": {"relative": "https://a.example/"}, "title": "A \"B\""}],
                                "newLinks": []}, fmt=plistlib.FMT_BINARY, sort_keys=False)
        self.dump("dev.menulets.Carryover", {
            "Carryover.store": store,
            "Carryover.mostRecentLog": 1796000000.5,
            "raw": b"\x01\x02\x03\x04\x05",
            "when": datetime.datetime(2026, 12, 6, 10, 0, 0),
        })
        self.assertEqual(self.ok("read", "dev.menulets.Carryover").decode(), """{
    Carryover.store = {
        storedLinks = (
            {
                link = {
                    relative = https://a.example/;
                };
                title = "A \\"B\\"";
            }
        );
        newLinks = ();
    };
    Carryover.mostRecentLog = 1796000000.5;
    raw = <01020304 05>;
    when = "2026-12-06 10:00:00 +0000";
}
""")
        self.assertEqual(self.ok("read", "dev.menulets.Carryover", "Carryover.mostRecentLog"), b"1796000000.5\n")

    def test_export_and_import_are_binary_property_lists(self):
        self.dump("dev.menulets.Starhop", {"a": 1, "b": [True, "x"]})
        exported = self.ok("export", "dev.menulets.Starhop", "-")
        self.assertEqual(plistlib.load(io.BytesIO(exported)), {"a": 1, "b": [True, "x"]})

        replacement = plistlib.dumps({"c": 2.5}, fmt=plistlib.FMT_BINARY)
        self.ok("import", "dev.menulets.Starhop", "-", stdin=replacement)
        self.assertEqual(self.load("dev.menulets.Starhop"), {"c": 2.5})

        target = os.path.join(self.home.name, "copy.plist")
        self.ok("export", "dev.menulets.Starhop", target)
        with open(target, "rb") as file:
            self.assertEqual(plistlib.load(file), {"c": 2.5})

    def test_deletes_keys_and_domains(self):
        self.dump("dev.menulets.Urlstash", {"keep": 1, "drop": 2})
        self.ok("delete", "dev.menulets.Urlstash", "drop")
        self.assertEqual(self.load("dev.menulets.Urlstash"), {"keep": 1})
        self.ok("delete", "dev.menulets.Urlstash")
        self.assertFalse(os.path.exists(self.domain_file("dev.menulets.Urlstash")))

    def test_errors_exit_non_zero_and_change_nothing(self):
        self.dump("dev.menulets.Pricetray", {"n": 1})
        self.fails("write", "dev.menulets.Pricetray", "n", "-int", "abc", message='"abc" is not a valid int')
        self.fails("write", "dev.menulets.Pricetray", "n", "-int", "99999999999999999999", message="not a valid int")
        self.fails("write", "dev.menulets.Pricetray", "n", "-float", "1.5x", message="not a valid float")
        self.fails("write", "dev.menulets.Pricetray", "n", "-bool", "maybe", message="not a valid bool")
        self.fails("write", "dev.menulets.Pricetray", "n", "-data", "abc", message="not a valid data")
        self.fails("write", "dev.menulets.Pricetray", "n", "-date", "x", message="unknown value type -date")
        self.assertEqual(self.load("dev.menulets.Pricetray"), {"n": 1})

        self.fails("read", "dev.menulets.Missing", message="Domain dev.menulets.Missing does not exist")
        self.fails("read", "dev.menulets.Pricetray", "other", message="(dev.menulets.Pricetray, other) does not exist")
        self.fails("delete", "dev.menulets.Pricetray", "other", message="does not exist")
        self.fails("delete", "dev.menulets.Missing", message="not found")
        self.fails("read", "../escape", message="invalid domain name")
        self.fails("import", "dev.menulets.Pricetray", os.path.join(self.home.name, "none"), message="cannot open")
        self.fails("frobnicate", message="unknown command")
        self.assertEqual(self.load("dev.menulets.Pricetray"), {"n": 1})
        self.assertIn(b"usage: menulets-defaults", self.ok("--help"))

    def test_round_trips_with_libplist_beyond_64_kib(self):
        # Over 64 KiB the offsets of libplist's files take three bytes.
        value = {"links": [{"relative": "https://example.com/%d" % i, "title": "T\u00eftle %d" % i, "n": i}
                           for i in range(2000)],
                 "big": -(2 ** 40), "ratio": 0.25, "on": True, "blob": bytes(range(256))}
        source = os.path.join(self.home.name, "source.xml")
        with open(source, "wb") as file:
            plistlib.dump(value, file, fmt=plistlib.FMT_XML, sort_keys=False)
        os.makedirs(self.folder)
        subprocess.run(["plistutil", "-i", source, "-o", self.domain_file("dev.menulets.Pricetray"), "-f", "bin"],
                       check=True)
        with open(self.domain_file("dev.menulets.Pricetray"), "rb") as file:
            written = file.read()
        self.assertGreater(len(written), 65536)
        self.assertEqual(written[-26], 3, "libplist wrote no three-byte offsets; the case is not covered")

        exported = os.path.join(self.home.name, "exported.plist")
        self.ok("export", "dev.menulets.Pricetray", exported)
        with open(exported, "rb") as file:
            self.assertEqual(plistlib.load(file), value)
        converted = subprocess.run(["plistutil", "-i", exported, "-f", "xml"], check=True, capture_output=True)
        self.assertEqual(plistlib.loads(converted.stdout), value)

    def test_hostile_files_are_read_within_bounds(self):
        # Nested data values that share one another: a few KiB that would
        # unfold into hundreds of megabytes of text.
        nested = plistlib.dumps([b"x" * 64], fmt=plistlib.FMT_BINARY)
        for _ in range(4):
            nested = plistlib.dumps([nested] * 100, fmt=plistlib.FMT_BINARY)
        self.dump("dev.menulets.Hourtrail", {"bomb": nested})
        self.assertLess(os.path.getsize(self.domain_file("dev.menulets.Hourtrail")), 4096)
        text = self.ok("read", "dev.menulets.Hourtrail")
        self.assertLess(len(text), 64 * 1024 * 1024)

        # Dates that are no calendar dates.
        marker = b"\x33" + struct.pack(">d", 0.0)
        sane = plistlib.dumps({"nan": datetime.datetime(2001, 1, 1), "big": 1}, fmt=plistlib.FMT_BINARY)
        self.assertEqual(sane.count(marker), 1)
        self.dump("dev.menulets.Starhop", {})
        for value, shown in ((float("nan"), b"nan"), (1e300, b"1e+300"), (-1e300, b"-1e+300")):
            with open(self.domain_file("dev.menulets.Starhop"), "wb") as file:
                file.write(sane.replace(marker, b"\x33" + struct.pack(">d", value - 978307200)))
            printed = self.ok("read", "dev.menulets.Starhop", "nan")
            self.assertIn(b"invalid date", printed)
            self.assertIn(shown, printed)

        self.fails("write", "dev.menulets.Starhop", "", "value", message="a key cannot be empty")
        self.fails("read", "dev.menulets.Starhop", "", message="a key cannot be empty")
        self.fails("delete", "dev.menulets.Starhop", "", message="a key cannot be empty")

    def test_unreadable_domain_is_kept_aside_when_written(self):
        os.makedirs(self.folder)
        with open(self.domain_file("dev.menulets.Hourtrail"), "wb") as file:
            file.write(b"bplist00 torn")
        self.fails("read", "dev.menulets.Hourtrail", message="cannot read domain")
        result = self.run_tool("write", "dev.menulets.Hourtrail", "k", "v")
        self.assertEqual(result.returncode, 0)
        self.assertIn(b"moved aside", result.stderr)
        self.assertEqual(self.load("dev.menulets.Hourtrail"), {"k": "v"})
        aside = [name for name in os.listdir(self.folder) if ".corrupt-" in name]
        self.assertEqual(len(aside), 1)
        with open(os.path.join(self.folder, aside[0]), "rb") as file:
            self.assertEqual(file.read(), b"bplist00 torn")


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]], verbosity=1)
