"""screen_reader.py PID VIEW DRAWING BOUND: waits at most BOUND seconds until the program PID
shows on the AT-SPI bus a window named VIEW holding a described object named DRAWING; then
fails when that window is not a frame or a dialog, that object not an image, or any focusable
object of the program has no name."""

import sys
import time

import pyatspi


def walk(accessible, path=()):
    path += (f'{accessible.getRoleName()} "{accessible.name}"',)
    yield accessible, path
    for index in range(accessible.childCount):
        yield from walk(accessible.getChildAtIndex(index), path)


def read(pid, view_name, drawing_name):
    """The program's objects, its view and the drawing; None until all are there."""
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid]
    if not apps:
        return None
    objects = list(walk(apps[0]))
    views = [o for o, _ in objects if o.name == view_name and o.parent == apps[0]]
    drawings = [o for o, _ in walk(views[0]) if o.name == drawing_name] if views else []
    # The description comes with the first result the view draws, once it is shown.
    return (objects, views[0], drawings[0]) if drawings and drawings[0].description else None


def main(pid, view_name, drawing_name, bound):
    deadline = time.monotonic() + float(bound)
    found = error = None
    while not found:
        try:
            found = read(int(pid), view_name, drawing_name)
        except Exception as problem:  # an object gone between two calls: read anew
            error = problem
        if not found and time.monotonic() > deadline:
            print(f'FAIL: no window "{view_name}" with a described "{drawing_name}" on the bus '
                  f'within {bound} s (last error: {error})')
            return 1
        time.sleep(0 if found else 0.1)
    objects, view, drawing = found
    faults = [f'a focusable object without a name: {" > ".join(path)}' for o, path in objects
              if o.getState().contains(pyatspi.STATE_FOCUSABLE) and not o.name.strip()]
    if view.getRole() not in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG):
        faults.append(f'the view is a {view.getRoleName()}, not a frame or a dialog')
    if drawing.getRole() != pyatspi.ROLE_IMAGE:
        faults.append(f'the drawing is a {drawing.getRoleName()}, not an image')
    for fault in faults:
        print('FAIL: ' + fault)
    if not faults:
        print(f'PASS: a {view.getRoleName()} with an image, {len(objects)} objects named')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
