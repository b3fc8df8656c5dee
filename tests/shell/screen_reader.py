"""Reads the program's windows over the AT-SPI bus, as a screen reader meets them.

Usage: screen_reader.py PID VIEW_TITLE DRAWING_NAME BOUND_SECONDS

Waits, at most BOUND_SECONDS, until the program with process id PID shows on the bus a window
named VIEW_TITLE that holds an object named DRAWING_NAME with a description; then fails when
that window is not a frame or a dialog, when that object is not an image, or when any focusable
object of the program has no name. Prints what it found either way.
"""

import sys
import time

import pyatspi

WINDOW_ROLES = {pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG}


def children(accessible):
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield child


def walk(accessible, path=()):
    path = path + (f"{accessible.getRoleName()} \"{accessible.name}\"",)
    yield accessible, path
    for child in children(accessible):
        yield from walk(child, path)


def find_application(pid):
    for application in children(pyatspi.Registry.getDesktop(0)):
        try:
            if application.get_process_id() == pid:
                return application
        except Exception:
            # An application that went away while the desktop was listed.
            continue
    return None


def read_tree(pid, view_title, drawing_name):
    """The program's objects with their paths, the view and its drawing; None while incomplete."""
    application = find_application(pid)
    if application is None:
        return None
    objects = list(walk(application))
    views = [o for o, _ in objects if o.name == view_title and o.parent == application]
    if not views:
        return None
    view = views[0]
    drawings = [o for o, _ in walk(view) if o.name == drawing_name]
    # The description comes with the first result the view draws, right after it is shown.
    if not drawings or not drawings[0].description:
        return None
    return objects, view, drawings[0]


def main():
    pid, view_title, drawing_name, bound = int(sys.argv[1]), sys.argv[2], sys.argv[3], float(sys.argv[4])
    deadline = time.monotonic() + bound
    found = None
    last_error = None
    while found is None:
        try:
            found = read_tree(pid, view_title, drawing_name)
        except Exception as error:
            # An object destroyed between two calls; the next round reads the tree anew.
            last_error = error
        if found is None:
            if time.monotonic() > deadline:
                print(f"FAIL: within {bound:g} s the bus showed no window \"{view_title}\" of "
                      f"process {pid} with a described \"{drawing_name}\""
                      + (f" (last error: {last_error})" if last_error else ""))
                return 1
            time.sleep(0.1)

    objects, view, drawing = found
    faults = []
    if view.getRole() not in WINDOW_ROLES:
        faults.append(f"the view \"{view_title}\" is a {view.getRoleName()}, not a frame or a dialog")
    if drawing.getRole() != pyatspi.ROLE_IMAGE:
        faults.append(f"the drawing \"{drawing_name}\" is a {drawing.getRoleName()}, not an image")
    focusable = 0
    for accessible, path in objects:
        if accessible.getState().contains(pyatspi.STATE_FOCUSABLE):
            focusable += 1
            if not accessible.name.strip():
                faults.append("a focusable object without a name: " + " > ".join(path))
    for fault in faults:
        print("FAIL: " + fault)
    if faults:
        return 1
    print(f"PASS: the view is a {view.getRoleName()}, the drawing an image described as "
          f"\"{drawing.description[:60]}…\", and all {focusable} focusable objects of "
          f"{len(objects)} have a name")
    return 0


if __name__ == "__main__":
    sys.exit(main())
