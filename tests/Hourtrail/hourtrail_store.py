"""Hourtrail's activities and websites as its last save left them, read with plistlib."""
import os, plistlib


def stored(config_home):
    """The store from the defaults under `config_home`, or {} before the first save."""
    path = os.path.join(config_home, "menulets", "dev.menulets.Hourtrail.plist")
    try:
        with open(path, "rb") as f:
            return plistlib.loads(plistlib.load(f)["Hourtrail.store"], fmt=plistlib.FMT_BINARY)
    except (FileNotFoundError, KeyError, plistlib.InvalidFileException):
        return {}


def activities(config_home):
    """{name: activity} of the applications."""
    return stored(config_home).get("activities", {})


def websites(config_home):
    """{host: activity} of the websites."""
    return stored(config_home).get("webActivities", {})


def seconds(config_home, name):
    return activities(config_home).get(name, {}).get("accumulated", 0)


def web_seconds(config_home, host):
    return websites(config_home).get(host, {}).get("accumulated", 0)
