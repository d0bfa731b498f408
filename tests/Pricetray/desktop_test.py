#!/usr/bin/env python3
"""Pricetray on a real X desktop with a status-notifier panel: a link dragged
onto its drop chip opens the price window; a price, title and category typed
with the keyboard and Save file the item in the store (read with plistlib),
and the menu the panel draws lists it under its category."""
import os, plistlib, subprocess, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

xdesktop.under_system_python()
BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Pricetray", "Pricetray")

xdesktop.skip_without("openbox", "xprop")
import sni  # noqa: E402


def store(home):
    path = os.path.join(home, "config", "menulets", "dev.menulets.Pricetray.plist")
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        stored = plistlib.load(f).get("Pricetray.store")
    return plistlib.loads(stored, fmt=plistlib.FMT_BINARY) if isinstance(stored, bytes) else stored


def contains(value, wanted):
    """Whether the text or number is anywhere in the stored tree."""
    if value == wanted:
        return True
    if isinstance(value, dict):
        return any(contains(key, wanted) or contains(item, wanted) for key, item in value.items())
    if isinstance(value, list):
        return any(contains(item, wanted) for item in value)
    return False


with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop(tray="sni") as desktop:
    desktop.start_window_manager()
    env = desktop.user_env(home)
    program = desktop.spawn([BINARY], env=env, stderr=subprocess.PIPE)
    item = sni.Item(desktop.env["DBUS_SESSION_BUS_ADDRESS"], *desktop.status_notifier_item())
    chip = xdesktop.wait_for(lambda: desktop.drop_chip("Pricetray"), "the drop chip")

    source = desktop.drag_source("link", "https://shop.example/lamp", "Nice lamp")
    window = desktop.drop((130, 330), chip.centre(), lambda: desktop.shown_window("Price Tray"), "the price window")
    desktop.end_source(source)

    # The window opens with the price field focused. A price that is none is
    # refused by Return (Save) and the window stays, the keyboard still in
    # the price field, where the corrected price then goes.
    written = lambda: desktop.count_pixels(desktop.shown_window("Price Tray"), lambda r, g, b: r + g + b < 200)
    unrefused = written()
    desktop.type("twelve")
    desktop.keys("Return")
    # The line that says so is written below the field.
    xdesktop.wait_for(lambda: written() > unrefused + 200, "the refusal shown")
    assert store(home) is None or not contains(store(home), "Nice lamp"), store(home)
    # Then the title and the category in turn, each replaced whole.
    for index, text in enumerate(["$12.50", "Desk lamp", "Home"]):
        desktop.keys(*(["Tab"] if index else []), "ctrl+a")
        desktop.type(text)
    desktop.screenshot(os.path.join(BUILD, "Pricetray-desktop-window.png"), desktop.shown_window("Price Tray"))
    # Return presses Save.
    desktop.keys("Return")
    xdesktop.wait_for(lambda: store(home) and contains(store(home), "Desk lamp") and contains(store(home), 12.5),
                      "the item in the store")
    xdesktop.wait_for(lambda: desktop.shown_window("Price Tray") is None, "the price window closed")

    # Escape presses Cancel: nothing is filed.
    source = desktop.drag_source("link", "https://shop.example/chair", "A chair")
    desktop.drop((130, 330), chip.centre(), lambda: desktop.shown_window("Price Tray"), "the price window again")
    desktop.end_source(source)
    desktop.type("$40")
    desktop.keys("Escape")
    xdesktop.wait_for(lambda: desktop.shown_window("Price Tray") is None, "the price window cancelled")
    assert not contains(store(home), "A chair"), store(home)

    entries = item.menu_entries()
    home_category = next((entry for entry in entries if entry[1] and entry[1].startswith("Home")), None)
    assert home_category, entries
    assert any(child[1] and "Desk lamp" in child[1] for child in home_category[3]), home_category
    item.menu_event(0, "closed")

    program.terminate()
    assert program.wait(timeout=20) == 0
    errors = program.stderr.read().decode()
    assert "running headless" not in errors, errors
print("ok")
