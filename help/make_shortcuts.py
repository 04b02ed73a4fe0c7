#!/usr/bin/env python3
"""Writes the help's keyboard page from the program's own resource script, so that the page
lists exactly the keys of the accelerator table, each with the menu and the command it runs.

usage: make_shortcuts.py vexil.rc OUT.html
"""
import html
import re
import sys

KEY_NAMES = {"VK_F1": "F1", "VK_DELETE": "Del"}


def menu_commands(text):
    """Command symbol -> (menu, label without its shortcut and access-key marker)."""
    commands = {}
    menu = None
    for line in text.splitlines():
        popup = re.match(r'\s*POPUP\s+"([^"]*)"', line)
        if popup:
            menu = popup.group(1).replace("&", "")
            continue
        item = re.match(r'\s*MENUITEM\s+"([^"]*)"\s*,\s*(\w+)', line)
        if item and menu:
            label = item.group(1).split("\\t")[0].replace("&", "").strip()
            commands[item.group(2)] = (menu, label)
    return commands


def accelerators(text):
    """(key text, command symbol) in the table's order."""
    block = re.search(r"\bACCELERATORS\b\s*BEGIN(.*?)\bEND\b", text, re.S)
    if not block:
        sys.exit("no accelerator table in the resource script")
    keys = []
    for line in block.group(1).splitlines():
        words = [w.strip() for w in line.split("//")[0].split(",") if w.strip()]
        if len(words) < 3:
            continue
        key = KEY_NAMES.get(words[0], words[0].strip('"'))
        flags = words[3:]
        modifiers = [name for flag, name in (("CONTROL", "Ctrl"), ("SHIFT", "Shift"), ("ALT", "Alt")) if flag in flags]
        keys.append(("+".join(modifiers + [key]), words[1]))
    return keys


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        text = f.read()
    commands = menu_commands(text)
    rows = []
    for key, symbol in accelerators(text):
        if symbol not in commands:
            sys.exit(f"the key {key} runs {symbol}, which no menu item names")
        menu, label = commands[symbol]
        rows.append(f"<tr><td><kbd>{html.escape(key)}</kbd></td><td>{html.escape(menu)}</td>"
                    f"<td>{html.escape(label)}</td></tr>")
    page = f"""<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Keyboard shortcuts</title>
<link rel="stylesheet" href="style.css"></head><body>
<h1>Keyboard shortcuts</h1>
<p>These keys work in the main window. Each runs the menu command beside it.</p>
<table><tr><th>Keys</th><th>Menu</th><th>Command</th></tr>
{chr(10).join(rows)}
</table>
<p>See also: <a href="gettingstarted.html">Getting started</a>.</p>
</body></html>
"""
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
