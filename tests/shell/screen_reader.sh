#!/usr/bin/env bash
# The built program as a screen reader meets it: on a virtual X server without a window
# manager, with a D-Bus session and an accessibility bus of its own, with Qt's bridge to that
# bus on from the start. Opens the section view with Ctrl+D and reads both windows' objects
# from the bus (screen_reader.py): the view must be a window, its drawing an image with a
# description, and every focusable object must have a name. Every wait is for a condition,
# bounded, and fails with the condition that never came. Exits 77 (skipped) when a tool it
# needs is missing or no X server can be started here.
set -uo pipefail

program=${1:?usage: screen_reader.sh PROGRAM}
here=$(cd "$(dirname "$0")" && pwd)
# Generous: the sanitizer build on a loaded machine starts in seconds, not in tenths.
bound=60
caption="Tralvik  : Uiterste Moment"
view="Tralvik  : Doorsnede"
drawing="Tekening van de doorsnede"
launcher=/usr/libexec/at-spi-bus-launcher

skip() {
    echo "SKIP: $*"
    exit 77
}
command -v Xvfb >/dev/null || skip "Xvfb is not installed (Debian package xvfb)"
command -v xdotool >/dev/null || skip "xdotool is not installed"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (dbus-daemon)"
[ -x "$launcher" ] || skip "$launcher is not installed (at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "pyatspi is not installed (python3-pyatspi)"

# A session bus of our own, which ends with the script: the test neither sees nor disturbs a
# desktop's accessibility bus, and two runs at once do not meet.
if [ -z "${TRALVIK_OWN_SESSION_BUS:-}" ]; then
    TRALVIK_OWN_SESSION_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

work=$(mktemp -d)
server=
bus=
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    [ -n "$bus" ] && kill "$bus" 2>/dev/null && wait "$bus" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for log in program launcher; do
        if [ -s "$work/$log.log" ]; then
            echo "The $log wrote:"
            tail -n 20 "$work/$log.log"
        fi
    done
    exit 1
}

wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + bound))
    until "$@"; do
        ((SECONDS < deadline)) || fail "$what (waited $bound s)"
        sleep 0.05
    done
}

shown() {
    local id
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
            found=$id
            return 0
        fi
    done
    return 1
}
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# The bus launcher keeps its sockets under the runtime folder, which must be private.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# See real_window.sh: a display of its own through -displayfd, and -noreset, without which a
# client connecting while the last one leaves is dropped.
Xvfb -screen 0 1600x1000x24 -nolisten tcp -noreset -displayfd 3 3>"$work/display" \
    2>"$work/xvfb.log" &
server=$!
reported() {
    [ -s "$work/display" ] && return 0
    kill -0 "$server" 2>/dev/null && return 1
    server=
    skip "Xvfb cannot start here: $(tail -n 3 "$work/xvfb.log")"
}
wait_for "Xvfb reported no display" reported
export DISPLAY=":$(cat "$work/display")"
export QT_QPA_PLATFORM=xcb
answers() { xdotool getdisplaygeometry >/dev/null 2>&1; }
wait_for "the X server on $DISPLAY reported itself ready but does not answer" answers

"$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
bus=$!
bus_answers() {
    kill -0 "$bus" 2>/dev/null || fail "the accessibility bus launcher ended"
    # Asked of the session bus itself: a call to org.a11y.Bus would have the session bus start
    # a second launcher of its own.
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
}
wait_for "the accessibility bus never answered on the session bus" bus_answers

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
pid=$!
wait_for "no main window with the caption \"$caption\"" shown "$caption"
main=$found
# Without a window manager nobody gives a window the focus; this does what one would.
xdotool windowfocus "$main"
wait_for "the main window never took the keyboard focus" focused "$main"
xdotool key ctrl+d
wait_for "Ctrl+D opened no window \"$view\"" shown "$view"

/usr/bin/python3 "$here/screen_reader.py" "$pid" "$view" "$drawing" "$bound" || fail "read over the accessibility bus"
