#!/usr/bin/env python3
"""Checks the help before it is compiled, so that it cannot drift from the program:

- the generated keyboard page lists exactly the program's shortcuts, each with its command;
- every command of the Filters and Effects menus has its entry on the filters or effects page.

usage: check_help.py vexil.rc HELP-FOLDER      (the folder holds the generated shortcuts.html)
Exits 1 with one line per problem.
"""
import html
import os
import re
import sys

# The shortcuts and their commands as the menus show them.
EXPECTED_SHORTCUTS = {
    ("Ctrl+C", "Edit", "Copy"), ("Ctrl+X", "Edit", "Cut"), ("Ctrl+D", "Edit", "Deselect"),
    ("Ctrl+V", "Edit", "Paste as a New Image"), ("Ctrl+Shift+V", "Edit", "Paste as a New Layer"),
    ("Ctrl+Y", "Edit", "Redo"), ("Ctrl+A", "Edit", "Select All"), ("Ctrl+Shift+I", "Edit", "Select Inverse"),
    ("Ctrl+Z", "Edit", "Undo"), ("Ctrl+N", "File", "New Project"), ("Ctrl+O", "File", "Open Project"),
    ("Ctrl+S", "File", "Save Project"), ("F1", "Help", "Help"), ("Ctrl+P", "Images", "Image Properties"),
    ("Ctrl+I", "Images", "Create New Image"), ("Del", "Images", "Delete Current Image"),
    ("Ctrl+L", "Layers", "Create New Raster Layer"), ("Ctrl+Del", "Layers", "Delete Selected Layer(s)"),
    ("Ctrl+Q", "File", "Exit"), ("Ctrl+F1", "Help", "About ..."),
}


def shortcut_rows(page):
    cells = re.findall(r"<tr><td><kbd>(.*?)</kbd></td><td>(.*?)</td><td>(.*?)</td></tr>", page)
    return [tuple(html.unescape(c) for c in row) for row in cells]


def menu_labels(script, menu):
    block = re.search(r'POPUP\s+"&?' + menu + r'"\s*BEGIN(.*?)\n\s*END', script, re.S)
    if not block:
        return None
    return [label.split("\\t")[0].replace("&", "").strip()
            for label in re.findall(r'MENUITEM\s+"([^"]*)"', block.group(1))]


def first_cells(page):
    """The first cell of every table row: the entry names of a page."""
    return {html.unescape(re.sub(r"<[^>]*>", "", c)).strip() for c in re.findall(r"<tr><td>(.*?)</td>", page)}


def problems(script, folder):
    found = []
    read = lambda name: open(os.path.join(folder, name), encoding="utf-8").read()
    rows = shortcut_rows(read("shortcuts.html"))
    if len(rows) != len(set(rows)):
        found.append("the keyboard page lists a shortcut twice")
    for row in sorted(EXPECTED_SHORTCUTS - set(rows)):
        found.append("the keyboard page lacks %s (%s > %s)" % row)
    for row in sorted(set(rows) - EXPECTED_SHORTCUTS):
        found.append("the keyboard page has an unexpected %s (%s > %s)" % row)
    for menu, page in (("Filters", "filters.html"), ("Effects", "effects.html")):
        labels = menu_labels(script, menu)
        if labels is None:
            found.append(f"no {menu} menu in the resource script")
            continue
        entries = first_cells(read(page))
        found += [f"{page} has no entry for {menu} > {label}" for label in labels if label not in entries]
    return found


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        script = f.read()
    found = problems(script, sys.argv[2])
    for line in found:
        print("help: " + line, file=sys.stderr)
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
