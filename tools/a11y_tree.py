#!/usr/bin/env python3
"""a11y_tree.py PROGRAM — starts PROGRAM and prints its windows' accessibility trees over AT-SPI.

Meant to run inside a D-Bus session and an X server (tools/a11y-tree.sh sets both up). Only the
objects on screen are printed, as a screen reader presents them; a control named by a label
shows the label's text after "labelled by".
"""
import subprocess
import sys
import time

import pyatspi

WANTED_STATES = {
    pyatspi.STATE_FOCUSED: "focused",
    pyatspi.STATE_FOCUSABLE: "focusable",
    pyatspi.STATE_SELECTED: "selected",
    pyatspi.STATE_CHECKED: "checked",
    pyatspi.STATE_EXPANDED: "expanded",
    pyatspi.STATE_EDITABLE: "editable",
}


def find_app(name, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.25)
    return None


def line(obj, depth):
    states = obj.getState()
    flags = [text for state, text in WANTED_STATES.items() if states.contains(state)]
    parts = [obj.getRoleName()]
    parts.append('"%s"' % obj.name if obj.name else "(no name)")
    if obj.description:
        parts.append('— "%s"' % obj.description)
    for relation in obj.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            labels = [relation.getTarget(i).name for i in range(relation.getNTargets())]
            parts.append("labelled by %s" % ", ".join('"%s"' % label for label in labels))
    if flags:
        parts.append("[%s]" % ", ".join(flags))
    return "  " * depth + " ".join(parts)


def walk(obj, depth, out):
    if obj is None:
        return
    if depth > 0 and not obj.getState().contains(pyatspi.STATE_SHOWING):
        return
    out.append(line(obj, depth))
    for child in obj:
        walk(child, depth + 1, out)


def main():
    program = sys.argv[1]
    process = subprocess.Popen([program])
    try:
        app = find_app("vexlora", 30)
        if app is None:
            print("the program did not show up on the accessibility bus", file=sys.stderr)
            return 1
        time.sleep(1)  # let the window finish loading its lists
        out = []
        for window in app:
            walk(window, 0, out)
        print("\n".join(out))
        return 0
    finally:
        process.terminate()
        process.wait(10)


if __name__ == "__main__":
    sys.exit(main())
