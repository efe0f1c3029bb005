#!/usr/bin/python3
"""Reads the program's windows as a screen reader does, through the accessibility bus (AT-SPI):
the texts Qt draws cannot be read from a screenshot, but every window, button, label and menu
item is named there.

usage: acessivel.py tree              one line per object of the program: "ROLE<TAB>NAME",
                                      depth first, dialogs and pop-up menus included
       acessivel.py centre ROLE NAME  the screen centre "X Y" of the first object of that role
                                      whose name matches the regular expression NAME
       acessivel.py popup CMD...      runs CMD (which opens a pop-up menu and moves its highlight)
                                      and prints the items of the menu the highlight moved in,
                                      "ROLE<TAB>NAME" each: pop-up menus are not among the
                                      program's windows on the bus, only their events show them
Exit status 1 when the program (or the object) is not found. Run with Debian's own python3
(/usr/bin/python3): pyatspi comes from the python3-pyatspi package.
"""
import re
import subprocess
import sys
import threading

import pyatspi
from gi.repository import GLib


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "orbix":
            return app
    return None


def walk(acc, depth=0):
    if acc is None or depth > 40:
        return
    try:
        yield acc
        for i in range(acc.childCount):
            yield from walk(acc.getChildAtIndex(i), depth + 1)
    except Exception:  # an object that went away while being read
        return


def main(argv):
    app = program()
    if app is None:
        print("the program is not on the accessibility bus", file=sys.stderr)
        return 1
    if argv[1] == "tree":
        for acc in walk(app):
            print(f"{acc.getRoleName()}\t{acc.name}")
        return 0
    if argv[1] == "centre":
        role, name = argv[2], re.compile(argv[3])
        for acc in walk(app):
            if acc.getRoleName() == role and name.search(acc.name or ""):
                box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                print(box.x + box.width // 2, box.y + box.height // 2)
                return 0
        return 1
    if argv[1] == "popup":
        menus = []

        def focused(event):
            parent = event.source.parent if event.detail1 else None
            if parent is not None and parent.getRoleName() in ("popup menu", "menu") and not menus:
                menus.append([(c.getRoleName(), c.name) for c in parent])
                GLib.idle_add(pyatspi.Registry.stop)

        pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
        threading.Thread(target=subprocess.run, args=(argv[2:],), daemon=True).start()
        GLib.timeout_add(5000, pyatspi.Registry.stop)
        pyatspi.Registry.start()
        if not menus:
            print("no pop-up menu took the highlight", file=sys.stderr)
            return 1
        for role, name in menus[0]:
            print(f"{role}\t{name}")
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
