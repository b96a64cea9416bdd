"""Prints, as JSON, what a screen reader learns of a running velmarinth through AT-SPI: the menu bar's titles
and each push button's name and description. Run with the system's Python 3 (pyatspi, Debian
python3-pyatspi) on the session bus the program uses; argument: the program's process id."""
import json
import sys

import pyatspi


def children(accessible):
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            yield child


def walk(accessible, found, depth=0):
    role = accessible.getRole()
    if role == pyatspi.ROLE_MENU_BAR:
        found["menus"] = [item.name for item in children(accessible)]
        return
    if role in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON):
        found["buttons"].append([accessible.name, accessible.description])
    if depth < 8:
        for child in children(accessible):
            walk(child, found, depth + 1)


def main():
    pid = int(sys.argv[1])
    desktop = pyatspi.Registry.getDesktop(0)
    found = {"menus": None, "buttons": []}
    for application in children(desktop):
        if application.get_process_id() == pid:
            walk(application, found)
    json.dump(found, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
