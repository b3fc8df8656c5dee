#!/usr/bin/env bash
# The built program as a screen reader meets it, on a virtual X server (x_server.sh) with a
# D-Bus session and an accessibility bus of its own and Qt's bridge to that bus on from the
# start: opens the section view with Ctrl+D and reads both windows from the bus
# (screen_reader.py). Exits 77 (skipped) when a tool it needs is missing.
set -uo pipefail

program=${1:?usage: screen_reader.sh PROGRAM}
here=$(cd "$(dirname "$0")" && pwd)
# Generous: the sanitizer build on a loaded machine starts in seconds, not in tenths.
bound=60
caption="Tralvik  : Uiterste Moment"
view="Tralvik  : Doorsnede"
launcher=/usr/libexec/at-spi-bus-launcher

if [ -z "${TRALVIK_OWN_SESSION_BUS:-}" ]; then
    missing=
    command -v dbus-run-session >/dev/null || missing="dbus-run-session (dbus-daemon)"
    [ -x "$launcher" ] || missing="$launcher (at-spi2-core)"
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing="pyatspi (python3-pyatspi)"
    [ -z "$missing" ] || { echo "SKIP: $missing is not installed"; exit 77; }
    # A session bus of our own, which ends with the test: it neither sees nor disturbs a
    # desktop's accessibility bus, and two runs at once do not meet.
    TRALVIK_OWN_SESSION_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

source "$here/x_server.sh"
# The bus launcher keeps its sockets under the runtime folder, which must be private.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_x_server 1600x1000x24

"$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
helper=$!
# Asked of the session bus itself: a call to org.a11y.Bus would have the session bus start a
# second launcher of its own.
bus_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
}
wait_for "the accessibility bus never came up on the session bus" bus_up

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
pid=$!
wait_for "no main window with the caption \"$caption\"" shown "$caption"
focus "$found"
xdotool key ctrl+d
wait_for "Ctrl+D opened no window \"$view\"" shown "$view"
/usr/bin/python3 "$here/screen_reader.py" "$pid" "$view" "Tekening van de doorsnede" "$bound" ||
    fail "read over the accessibility bus"
