#!/usr/bin/env python3
"""Urlstash on a real X desktop: a link dragged with its title onto the drop
chip from a program offering what a browser offers is appended to links.txt,
title included; a click on the chip hands the links folder to the desktop's
opener, as the console's click does."""
import os, sys, tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import xdesktop  # noqa: E402

BUILD = sys.argv[1]
BINARY = os.path.join(BUILD, "Urlstash", "Urlstash")

xdesktop.skip_without()

with tempfile.TemporaryDirectory() as home, xdesktop.XDesktop() as desktop:
    env = desktop.user_env(home, PATH=home + "/bin:" + desktop.env["PATH"])
    os.makedirs(home + "/bin")
    with open(home + "/bin/xdg-open", "w") as f:
        f.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s/opened.txt"\n' % home)
    os.chmod(home + "/bin/xdg-open", 0o755)
    links = os.path.join(home, "data", "dev.menulets.Urlstash", "Links", "links.txt")
    read = lambda path: open(path, encoding="utf-8").read() if os.path.exists(path) else ""

    program = desktop.spawn([BINARY], env=env)
    icon = xdesktop.wait_for(lambda: desktop.docked_icon("Urlstash"), "Urlstash's icon in the panel")
    chip = xdesktop.wait_for(lambda: desktop.drop_chip("Urlstash", icon), "the drop chip")

    source = desktop.drag_source("link", "https://stash.example/a_b", "Stashed [page]")
    line = "- [Stashed \\[page\\]](https://stash.example/a_b) \n"
    desktop.drop((130, 330), chip.centre(), lambda: line in read(links), "the link in links.txt")
    assert read(links).count(line) == 1, read(links)
    desktop.end_source(source)

    desktop.click(*chip.centre())
    folder = "file://" + os.path.dirname(links).replace(" ", "%20") + "/"
    xdesktop.wait_for(lambda: read(home + "/opened.txt") == folder + "\n", "the links folder opened")
    assert desktop.end_with_right_click(program, *icon.centre()) == 0
print("ok")
