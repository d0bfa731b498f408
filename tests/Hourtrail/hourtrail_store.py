"""Hourtrail's activities as its last save left them, read with plistlib."""
import os, plistlib


def activities(config_home):
    """{name: activity} from the defaults under `config_home`, or {} before the first save."""
    path = os.path.join(config_home, "menulets", "dev.menulets.Hourtrail.plist")
    try:
        with open(path, "rb") as f:
            return plistlib.loads(plistlib.load(f)["Hourtrail.store"], fmt=plistlib.FMT_BINARY)["activities"]
    except (FileNotFoundError, KeyError, plistlib.InvalidFileException):
        return {}


def seconds(config_home, name):
    return activities(config_home).get(name, {}).get("accumulated", 0)
