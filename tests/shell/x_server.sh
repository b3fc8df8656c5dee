# Sourced by the tests that run the built program on a virtual X server of their own, without
# a window manager: bounded waits that fail with the condition that never came, the server,
# and the windows on it. The test sets `bound` (seconds) first; `pid` holds the program while
# it runs and `helper` one more process of the test's, both ended with the server on exit.
# Exits 77 (skipped) when no X server can be started here.

work=$(mktemp -d)
server=
helper=
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    [ -n "$helper" ] && kill "$helper" 2>/dev/null && wait "$helper" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

skip() {
    echo "SKIP: $*"
    exit 77
}

fail() {
    echo "FAIL: $*"
    local log
    for log in "$work"/*.log; do
        if [ -s "$log" ]; then
            echo "The $(basename "$log" .log) wrote:"
            tail -n 20 "$log"
        fi
    done
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
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Without a window manager nobody gives a window the focus; this does what one would.
focus() {
    xdotool windowfocus "$1"
    wait_for "window $1 never took the keyboard focus" focused "$1"
}

# An X server of our own on a display it picks itself and reports through -displayfd: two
# tests (or two builds) starting at once would otherwise race for the same free display
# number. -noreset: by default the server resets when its last client disconnects, and a
# client that connects during that reset is dropped: "could not connect to display". Every
# xdotool call here is such a last client until the program has connected. $1: the screen.
start_x_server() {
    command -v Xvfb >/dev/null || skip "Xvfb is not installed (Debian package xvfb)"
    command -v xdotool >/dev/null || skip "xdotool is not installed"
    Xvfb -screen 0 "$1" -nolisten tcp -noreset -displayfd 3 3>"$work/display" \
        2>"$work/xvfb.log" &
    server=$!
    wait_for "Xvfb reported no display" reported
    export DISPLAY=":$(cat "$work/display")"
    # The test environment may ask for the headless platform; these tests are about the real one.
    export QT_QPA_PLATFORM=xcb
    wait_for "the X server on $DISPLAY reported itself ready but does not answer" answers
}
reported() {
    [ -s "$work/display" ] && return 0
    kill -0 "$server" 2>/dev/null && return 1
    server=
    skip "Xvfb cannot start here: $(tail -n 3 "$work/xvfb.log")"
}
answers() { xdotool getdisplaygeometry >/dev/null 2>&1; }
