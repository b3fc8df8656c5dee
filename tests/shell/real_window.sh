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

# The program's visible windows: its main window, and a box or a menu while one is open.
window_count() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
windows_shown() { [ "$(window_count)" -eq "$1" ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
position() {
    xdotool getwindowgeometry "$1" | sed -n 's/^ *Position: \([0-9-]*,[0-9-]*\).*/\1/p'
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

source "$(dirname "$0")/x_server.sh"
start_x_server 800x600x24

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
