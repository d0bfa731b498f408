"""What Hourtrail must do in any desktop session: credit the window a person
works in, window after window, by the name the desktop gives it."""
import os, subprocess

import xdesktop
import hourtrail_store

# One window named by the desktop entry its app id names, one by its app id alone.
NOTES, SCRATCH = "org.example.NoteBoard", "org.example.Scratch"


def credits_windows_in_turn(desktop, shell, home, binary, while_running=lambda program: None):
    """Runs Hourtrail in the shell's session while a person works in one
    window, opens a second and closes it again; returns the ended program
    and what it said on standard error. `while_running` looks at the
    session once the program has credited its first window."""
    config = os.path.join(home, "config")
    applications = os.path.join(home, "data", "applications")
    os.makedirs(applications, exist_ok=True)
    with open(os.path.join(applications, NOTES + ".desktop"), "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Note Board\nExec=noteboard\n")
    shell.open_window(NOTES, "Shopping — Note Board")
    # Only the session's own entries count, not those installed on this machine.
    program = desktop.spawn([binary], env=shell.program_env(QT_QPA_PLATFORM="xcb", XDG_DATA_DIRS=home + "/none"),
                            stderr=subprocess.PIPE)
    def credited(name, what, at_least=2):
        try:
            xdesktop.wait_for(lambda: hourtrail_store.seconds(config, name) >= at_least, what, 40)
        except AssertionError as timeout:
            raise AssertionError("%s; the store holds %s" % (timeout, hourtrail_store.activities(config)))

    credited("Note Board", "the window in front when it started credited (saved every 10 s)")
    while_running(program)

    scratch = shell.open_window(SCRATCH, "Sums")
    credited(SCRATCH, "the window opened next credited by its app id")
    shell.close_window(scratch)
    notes = hourtrail_store.seconds(config, "Note Board")
    credited("Note Board", "the first window credited again", notes + 3)

    activities = hourtrail_store.activities(config)
    assert set(activities) <= {"Note Board", SCRATCH, "Unknown Name"}, activities
    # Only the moments before the first report may go unnamed.
    assert activities.get("Unknown Name", {}).get("accumulated", 0) <= 2, activities
    program.terminate()
    assert program.wait(timeout=30) == 0
    said = program.stderr.read().decode()
    assert "tells no program" not in said, said
    return program, said
