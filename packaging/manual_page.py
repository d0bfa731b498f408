#!/usr/bin/env python3
"""Writes a manual page (roff, man macros) from what a command's --help prints.

The help's first line is "usage: NAME ARGUMENTS"; then come blocks separated
by blank lines. A block headed "something:" becomes a section of that name
(OPTIONS, COMMANDS); a block of lines indented by two spaces is a list of
entries, each "  TERM  description" or "  TERM" with its description on the
lines below, indented further; any other block is a paragraph.

    manual_page.py --name N --summary S --version V --date D --output FILE
                   [--paragraph TEXT]... [--see-also PAGE]... [--file PATH DESCRIPTION]... -- COMMAND...
"""
import argparse
import re
import subprocess
import sys


def roff_text(text):
    """Text as roff prints it: backslashes and hyphens escaped, other
    characters than ASCII as named code points, no line read as a request."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    text = "".join(c if ord(c) < 128 else "\\[u%04X]" % ord(c) for c in text)
    return "\\&" + text if text[:1] in (".", "'") else text


class Page:
    def __init__(self):
        self.lines = []

    def request(self, name, *arguments):
        quoted = ['"%s"' % argument.replace('"', '\\(dq') if " " in argument else argument for argument in arguments]
        self.lines.append(" ".join(["." + name] + quoted))

    def text(self, text):
        self.lines.append(roff_text(text))

    def section(self, title):
        self.request("SH", title.upper())

    def paragraph(self, lines):
        self.request("PP")
        for line in lines:
            self.text(line.strip())

    def entry(self, term, description):
        self.request("TP")
        self.lines.append("\\fB" + roff_text(term) + "\\fR")
        for line in description:
            self.text(line)


def entries(block):
    """(term, description lines) of a block of indented entries."""
    found = []
    for line in block:
        body = line.strip()
        if line.startswith("  ") and not line.startswith("   "):
            term_and_description = re.split(r"\s{2,}", body, maxsplit=1)
            found.append((term_and_description[0], term_and_description[1:]))
        elif found:
            found[-1][1].append(body)
        else:
            raise SystemExit("an entry's description comes before its term: " + line)
    return found


def is_entry_list(block):
    return block[0].startswith("  ") and not block[0].startswith("   ")


def write_page(arguments, help_text):
    lines = help_text.rstrip("\n").split("\n")
    usage = re.match(r"usage: (\S+)\s*(.*)$", lines[0])
    if not usage or usage.group(1) != arguments.name:
        raise SystemExit("the help does not start with 'usage: %s': %r" % (arguments.name, lines[0]))
    blocks, block = [], []
    for line in lines[1:]:
        if line.strip():
            block.append(line)
        elif block:
            blocks.append(block)
            block = []
    if block:
        blocks.append(block)

    page = Page()
    page.lines.append('.\\" Made from the output of "%s --help".' % arguments.name)
    page.request("TH", arguments.name.upper(), "1", arguments.date, "menulets " + arguments.version,
                 "User Commands")
    page.section("Name")
    page.text("%s - %s" % (arguments.name, arguments.summary))
    page.section("Synopsis")
    page.lines.append("\\fB" + roff_text(arguments.name) + "\\fR " + roff_text(usage.group(2)))
    page.section("Description")
    for paragraph in arguments.paragraph:
        page.paragraph([paragraph])
    section = "Description"
    for block in blocks:
        heading = re.fullmatch(r"(\w[\w ]*):", block[0])
        if heading:
            section = heading.group(1)
            page.section(section)
            block = block[1:]
            if not block:
                continue
        elif is_entry_list(block) and section == "Description":
            section = "Commands"
            page.section(section)
        if is_entry_list(block):
            for term, description in entries(block):
                page.entry(term, description)
        else:
            page.paragraph(block)
    if arguments.file:
        page.section("Files")
        for path, description in arguments.file:
            page.entry(path, [description])
    if arguments.see_also:
        page.section("See also")
        page.lines.append(",\n".join("\\fB%s\\fR(1)" % roff_text(name) for name in arguments.see_also))
    return "\n".join(page.lines) + "\n"


def main():
    parser = argparse.ArgumentParser()
    for option in ("--name", "--summary", "--version", "--date", "--output"):
        parser.add_argument(option, required=True)
    parser.add_argument("--paragraph", action="append", default=[], help="a paragraph to open the description")
    parser.add_argument("--see-also", action="append", default=[])
    parser.add_argument("--file", nargs=2, action="append", default=[], metavar=("PATH", "DESCRIPTION"))
    parser.add_argument("command", nargs="+")
    arguments = parser.parse_args()
    shown = subprocess.run(arguments.command, capture_output=True, text=True, timeout=60)
    if shown.returncode != 0:
        sys.exit("%s failed (%d): %s" % (" ".join(arguments.command), shown.returncode, shown.stderr))
    with open(arguments.output, "w", encoding="utf-8") as output:
        output.write(write_page(arguments, shown.stdout))


if __name__ == "__main__":
    main()
