#!/usr/bin/env bash
# The built program on a virtual X server without a window manager, in two runs.
#  1. Started with options that Qt would read from a command line, which it must ignore. Opens
#     the About box from the keyboard through the menu and checks where it stands; while the
#     box is open, a close request to the main window and a click on its menu must do nothing.
#     Enter closes the box, "File" > "Exit" ends the program with code 0.
#  2. A click on "File" opens the menu there (so that the click in run 1 hit it); Escape closes
#     it, and a close request, as the title bar's close button sends, ends the program with
#     code 0.
# Every wait is for a condition, bounded, and fails with the condition that never came. Exits
# 77 (skipped) when no X server can be started here.
set -uo pipefail

program=${1:?usage: real_window.sh PROGRAM CLOSE_REQUEST}
close_request=${2:?usage: real_window.sh PROGRAM CLOSE_REQUEST}
# Generous: the sanitizer build on a loaded machine starts in seconds, not in tenths.
bound=60
caption="Tralvik  : Uiterste Moment"

skip() {
    echo "SKIP: $*"
    exit 77
}
command -v Xvfb >/dev/null || skip "Xvfb is not installed (Debian package xvfb)"
command -v xdotool >/dev/null || skip "xdotool is not installed"

work=$(mktemp -d)
server=
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    if [ -s "$work/program.log" ]; then
        echo "The program wrote:"
        tail -n 20 "$work/program.log"
    fi
    exit 1
}

# Runs the rest of the arguments until they succeed; fails with the first when the bound
# passes first.
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + bound))
    until "$@"; do
        ((SECONDS < deadline)) || fail "$what (waited $bound s)"
        sleep 0.05
    done
}

# Sets `found` to the visible window whose caption is exactly $1.
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
not_shown() { ! shown "$1"; }
# The program's visible windows: its main window, and a box or a menu while one is open.
window_count() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
windows_shown() { [ "$(window_count)" -eq "$1" ]; }
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
position() {
    xdotool getwindowgeometry "$1" | sed -n 's/^ *Position: \([0-9-]*,[0-9-]*\).*/\1/p'
}
# Without a window manager nobody gives a window the focus; this does what one would.
focus() {
    xdotool windowfocus "$1"
    wait_for "window $1 never took the keyboard focus" focused "$1"
}
# Starts the program with the arguments after the first, which says what a missing window means.
start() {
    local missing=$1
    shift
    "$program" "$@" >"$work/program.log" 2>&1 &
    pid=$!
    wait_for "no main window with the caption \"$caption\"$missing" shown "$caption"
    main=$found
}
expect_exit_code_0() {
    wait_for "$1 left the program running" ended
    wait "$pid"
    local code=$?
    pid=
    [ "$code" -eq 0 ] || fail "$1 ended the program with code $code"
}

# An X server of our own on a display it picks itself and reports through -displayfd: two
# tests (or two builds) starting at once would otherwise race for the same free display
# number. -noreset: by default the server resets when its last client disconnects, and a
# client that connects during that reset is dropped: "could not connect to display". Every
# xdotool call here is such a last client until the program has connected.
Xvfb -screen 0 800x600x24 -nolisten tcp -noreset -displayfd 3 3>"$work/display" \
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
# The test environment may ask for the headless platform; this test is about the real one.
export QT_QPA_PLATFORM=xcb
answers() { xdotool getdisplaygeometry >/dev/null 2>&1; }
wait_for "the X server on $DISPLAY reported itself ready but does not answer" answers

# Run 1. Were the options Qt's, the window would have another caption and place, or none at all.
start " (Qt may have taken the options on the command line)" \
    -reverse -qwindowtitle Fout -qwindowgeometry 300x300+200+150 -platform offscreen
[ "$(position "$main")" = "26,79" ] || fail "main window at $(position "$main"), not 26,79"
focus "$main"
# The keys go to the program in order, so the menu takes each in the state the last one left.
# From "File", Left wraps round to the last menu, "Help".
xdotool key alt Left Down Return
wait_for "\"Help\" > \"About\" opened no About box" shown About
about=$found
[ "$(position "$about")" = "161,124" ] || fail "About box at $(position "$about"), not 161,124"

"$close_request" "$main" || fail "could not send a close request to the main window"
xdotool mousemove --window "$main" 15 10 click 1
# The program takes its input in order: once Enter has closed the box, the close request and
# the click before it have been dealt with.
focus "$about"
xdotool key Return
wait_for "Enter left the About box open" not_shown About
ended && fail "a close request or a click on the menu ended the program while the About box was open"
shown "$caption" || fail "the main window went away while the About box was open"
windows_shown 1 || fail "a click on the main window's menu opened it while the About box was open"

focus "$main"
xdotool key alt Down Return
expect_exit_code_0 "\"File\" > \"Exit\""

# Run 2.
start ""
xdotool mousemove --window "$main" 15 10 click 1
wait_for "a click on \"File\" opened no menu" windows_shown 2
xdotool key Escape
wait_for "Escape left the \"File\" menu open" windows_shown 1
"$close_request" "$main" || fail "could not send a close request to the main window"
expect_exit_code_0 "a close request to the main window"

echo "PASS: the options ignored, About opened and closed, nothing got past it, and both Exit and a close request ended the program with code 0"
