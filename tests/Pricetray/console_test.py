#!/usr/bin/env python3
"""Console sessions of Pricetray: links dropped, priced and filed through the
price window, moved and deleted from the menu; the cart read back from the
defaults file with plistlib, its order kept across a restart, and an
unreadable value left alone until the next save."""
import json, os, plistlib, subprocess, sys, tempfile

BINARY = os.path.join(sys.argv[1], "Pricetray", "Pricetray")
PRICE = '"Price e.g. $30.15"'
failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


def session(home, *commands):
    """Standard output and the replies and events of a session, in order."""
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data", TZ="UTC",
               LC_ALL="en_US.UTF-8")
    done = subprocess.run([BINARY, "--headless", "--json", "--clock", "2026-06-10T15:00:00Z"],
                          input="\n".join(commands) + "\n", capture_output=True, text=True, env=env, timeout=60)
    check("exit status", done.returncode, 0)
    # Every line is JSON, the defaults' own notices (a value kept aside) included:
    # those are errors that answer no command.
    reports = [json.loads(line) for line in done.stderr.splitlines()]
    global notices
    notices = [r["error"] for r in reports if "error" in r and "command" not in r]
    return done.stdout, [r for r in reports if "error" not in r or "command" in r]


def defaults(home):
    with open(os.path.join(home, "config", "menulets", "dev.menulets.Pricetray.plist"), "rb") as f:
        return plistlib.load(f)


def menu_lines(reports):
    return [r["lines"] for r in reports if r.get("reply") == "menu"]


def link(text):
    return {"relative": text}


def item(url, title, price, category):
    return {"link": link(url), "title": title, "price": price, "category": category}


with tempfile.TemporaryDirectory() as home:
    out, reports = session(
        home,
        'drop-url https://www.shop.example/socks "Warm socks"', f"type {PRICE} 30.15", "type Category Clothes",
        "press Save",
        "drop-url https://b.example/hat Hat", f"type {PRICE} $12.50", "type Category Clothes", "press Save",
        "drop-url https://c.example/boots Boots", f"type {PRICE} cheap", "press Save", f"type {PRICE} 80",
        "press Save",
        'drop-url https://d.example/x "Not kept"', "press Cancel",
        'choose "c.example/$80.00 Boots/Edit"', "type Category Shoes", "press Save",
        "menu", "close-menu", "right-click", "choose Quit")
    check("printed links", out,
          "https://www.shop.example/socks\nhttps://b.example/hat\nhttps://c.example/boots\nhttps://d.example/x\n")
    check("refused price", [r["lines"] for r in reports if r.get("command") == "type" and "cheap" in r["lines"][0]],
          [['"Price e.g. $30.15" did not take "cheap"; it shows "$0.00"']])
    # Save after the refused price files nothing (the boots are listed once, at $80.00, below).
    check("no press refused", [r.get("error") for r in reports if r.get("command") == "press" and "error" in r], [])
    listed = ["menu \"Cart\":",
              "  Clothes >",
              "    $30.15 \\t Warm socks >", "      Open", "      Edit", "      Delete",
              "    $12.50 \\t Hat >", "      Open", "      Edit", "      Delete",
              "    Total: $42.65 [disabled]", "    Delete items",
              "  c.example >", "    Total: $0.00 [disabled]", "    Delete items",
              "  Shoes >",
              "    $80.00 \\t Boots >", "      Open", "      Edit", "      Delete",
              "    Total: $80.00 [disabled]", "    Delete items",
              "  -----", "  Preferences [disabled]", "  Quit"]
    check("menu", menu_lines(reports), [listed])
    check("menus opened", [r.get("title") for r in reports if r.get("event") == "menuOpened"], ["Cart"] * 3)
    check("ended", reports[-1], {"event": "terminate", "status": 0})

    stored_bytes = defaults(home)["Pricetray.store"]
    store = plistlib.loads(stored_bytes, fmt=plistlib.FMT_BINARY)
    check("store", store, {"cart": {
        "Clothes": [link("https://www.shop.example/socks"),
                    item("https://www.shop.example/socks", "Warm socks", 30.15, "Clothes"),
                    link("https://b.example/hat"), item("https://b.example/hat", "Hat", 12.5, "Clothes")],
        "c.example": [],
        "Shoes": [link("https://c.example/boots"), item("https://c.example/boots", "Boots", 80.0, "Shoes")]}})
    check("category order", list(store.get("cart", {})), ["Clothes", "c.example", "Shoes"])
    check("item key order", list(store["cart"]["Shoes"][1]) if store.get("cart", {}).get("Shoes") else None,
          ["link", "title", "price", "category"])
    check("price type", type(store["cart"]["Shoes"][1]["price"]) if store.get("cart", {}).get("Shoes") else None,
          float)

    # A restart lists the same order; nothing changes, nothing is written.
    out, reports = session(home, "menu", "close-menu", 'choose "Clothes/$12.50 Hat/Open"', "quit")
    check("menu after restart", menu_lines(reports), [listed])
    check("opened", [r["url"] for r in reports if r.get("event") == "opened"], ["https://b.example/hat"])
    check("unchanged", defaults(home)["Pricetray.store"], stored_bytes)

    # An unreadable value: an empty cart, the value untouched until a save replaces it.
    path = os.path.join(home, "config", "menulets", "dev.menulets.Pricetray.plist")
    odd = plistlib.dumps({"cart": {"Shoes": [link("https://c.example/boots")]}}, fmt=plistlib.FMT_BINARY)
    with open(path, "wb") as f:
        plistlib.dump({"Pricetray.store": odd}, f, fmt=plistlib.FMT_BINARY)
    out, reports = session(home, "menu", "quit")
    check("empty menu", menu_lines(reports), [["menu \"Cart\":", "  -----", "  Preferences [disabled]", "  Quit"]])
    check("left untouched", defaults(home)["Pricetray.store"], odd)
    out, reports = session(home, "drop-url https://e.example/", "press Save", "quit")
    check("replaced", plistlib.loads(defaults(home)["Pricetray.store"], fmt=plistlib.FMT_BINARY),
          {"cart": {"e.example": [link("https://e.example/"), item("https://e.example/", "Unknown title", 0.0,
                                                                    "e.example")]}})
    # ...and the value it replaced was kept in a file of its own, named on standard error.
    check("one notice", len(notices), 1)
    kept = notices[0].rsplit("it is kept in ", 1)[-1] if notices else ""
    check("kept beside the defaults", os.path.dirname(kept), os.path.dirname(path))
    if os.path.exists(kept):
        with open(kept, "rb") as f:
            check("kept whole", plistlib.load(f), {"Pricetray.store": odd})
    else:
        failures.append("no kept file: " + repr(notices))

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("console sessions as expected")
