#!/usr/bin/env bash
# Starts the built program on a virtual X server, opens the About box from the keyboard
# through the menu, checks where it stands, closes it with Enter, ends the program with
# "File" > "Exit" and checks that it exits with code 0. Exits 77 (skipped) when there is no
# X server to be had.
set -uo pipefail

program=${1:?usage: real_window.sh PROGRAM}
skip() {
    echo "SKIP: $*"
    exit 77
}

if [ "${2:-}" != --inside ]; then
    command -v Xvfb >/dev/null || skip "Xvfb is not installed (Debian package xvfb)"
    command -v xdotool >/dev/null || skip "xdotool is not installed"
    # A server of our own on a display it picks itself: two tests (or two builds) starting at
    # once would otherwise race for the same free display number.
    work=$(mktemp -d)
    Xvfb -screen 0 800x600x24 -nolisten tcp -displayfd 3 3>"$work/display" 2>/dev/null &
    server=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    if [ ! -s "$work/display" ]; then
        kill "$server" 2>/dev/null
        rm -rf "$work"
        skip "Xvfb cannot start here"
    fi
    DISPLAY=":$(cat "$work/display")" bash "$0" "$program" --inside
    status=$?
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    rm -rf "$work"
    exit "$status"
fi

# The test environment may ask for the headless platform; this test is about the real one.
export QT_QPA_PLATFORM=xcb
fail() {
    echo "FAIL: $*"
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
}
# The id of the window whose caption is exactly $1, once it is mapped (5 s at most).
window() {
    local id
    for _ in $(seq 50); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
            [ "$(xdotool getwindowname "$id")" = "$1" ] && echo "$id" && return 0
        done
        sleep 0.1
    done
    return 1
}
position() {
    xdotool getwindowgeometry "$1" | sed -n 's/^ *Position: \([0-9-]*,[0-9-]*\).*/\1/p'
}
# Keys one at a time: the menu bar reacts to Alt on its own, as a press and a release.
keys() {
    local k
    for k in "$@"; do
        xdotool key "$k"
        sleep 0.3
    done
}

# The server says it is ready through -displayfd; make sure it answers before the program
# depends on it.
for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done

"$program" &
pid=$!
main=$(window "Tralvik  : Uiterste Moment") || fail "no main window with the caption \"Tralvik  : Uiterste Moment\""
[ "$(position "$main")" = "26,79" ] || fail "main window at $(position "$main"), not 26,79"

# A bare X server has no window manager to give the window the focus.
xdotool windowfocus --sync "$main"
# From "File", Left wraps round to the last menu, "Help".
keys alt Left Down Return
about=$(window "About") || fail "\"Help\" > \"About\" opened no About box"
[ "$(position "$about")" = "161,124" ] || fail "About box at $(position "$about"), not 161,124"

xdotool windowfocus --sync "$about"
keys Return
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^About$" >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name "^About$" >/dev/null 2>&1 && fail "Enter left the About box open"

xdotool windowfocus --sync "$main"
keys alt Down Return
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "\"File\" > \"Exit\" left the program running"
wait "$pid"
code=$?
[ "$code" -eq 0 ] || fail "the program exited with code $code"
echo "PASS: About opened and closed, the program ended with code 0"
