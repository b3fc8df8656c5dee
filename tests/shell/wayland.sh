#!/usr/bin/env bash
# The program on a Wayland compositor: a headless weston of its own, on a socket of its own
# in a private runtime folder, in two runs.
#  1. The built program: it shows its main window (as the protocol trace that libwayland
#     writes under WAYLAND_DEBUG says: the title set, a picture attached) and says nothing.
#     Nothing can drive it from outside under Wayland, so it is stopped here.
#  2. tst_wayland, the same window with the same wiring as main(), driven from inside: start
#     values, the section view following a change, and the close that ends it with code 0.
#     It fails on any warning Qt gives, and nothing else may appear in its output.
# Every wait is for a condition, bounded, and fails with the condition that never came. Exits
# 77 (skipped) when weston or Qt's Wayland platform is missing here.
set -uo pipefail

test_program=${1:?usage: wayland.sh TST_WAYLAND PROGRAM}
program=${2:?usage: wayland.sh TST_WAYLAND PROGRAM}
# Generous: the sanitizer build on a loaded machine starts in seconds, not in tenths.
bound=60
caption="Tralvik  : Uiterste Moment"

skip() {
    echo "SKIP: $*"
    exit 77
}
command -v weston >/dev/null || skip "weston is not installed (Debian package weston)"

work=$(mktemp -d)
compositor=
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$compositor" ] && kill "$compositor" 2>/dev/null && wait "$compositor" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for log in "$work"/program.log "$work"/trace.log; do
        [ -s "$log" ] || continue
        echo "$(basename "$log"):"
        grep -v '^\[' "$log" | tail -n 20
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

# Wayland wants its runtime folder private to the user; the socket is made inside it.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket="tralvik-test-$$"
# --idle-time=0: the desktop shell would lock the screen after five idle minutes and hide the
# windows; --no-config: a user's weston.ini must not change what is tested.
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --no-config \
    >"$work/weston.log" 2>&1 &
compositor=$!
listening() {
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && return 0
    kill -0 "$compositor" 2>/dev/null && return 1
    compositor=
    skip "weston cannot start here: $(tail -n 3 "$work/weston.log")"
}
wait_for "weston made no socket $socket" listening
export WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland
unset DISPLAY

# Run 1. The trace goes to its own file; what the program itself writes goes to another.
WAYLAND_DEBUG=client "$program" >"$work/program.log" 2>"$work/trace.log" &
pid=$!
mapped() {
    if ! kill -0 "$pid" 2>/dev/null; then
        grep -qF 'Could not find the Qt platform plugin "wayland"' "$work/trace.log" &&
            skip "Qt's Wayland platform is not installed (Debian package qt6-wayland)"
        fail "the program ended by itself, with code $(wait "$pid"; echo $?)"
    fi
    grep -qF "set_title(\"$caption\")" "$work/trace.log" && grep -q 'wl_surface@[0-9]*\.attach(wl_buffer' "$work/trace.log"
}
wait_for "the program showed no window with the caption \"$caption\"" mapped
kill "$pid"
wait "$pid" 2>/dev/null
pid=
said=$(cat "$work/program.log"; grep -v '^\[' "$work/trace.log")
[ -z "$said" ] || fail "the program said: $said"

# Run 2.
"$test_program" >"$work/test.log" 2>&1 &
pid=$!
ended() { ! kill -0 "$pid" 2>/dev/null; }
# Each of its waits has its own bound and message; this one only catches a hung program.
bound=600 wait_for "tst_wayland did not end" ended
wait "$pid"
code=$?
pid=
cat "$work/test.log"
[ "$code" -eq 0 ] || fail "tst_wayland failed with code $code"
extra=$(grep -vE '^(\*{9} (Start|Finish)|Config: |PASS   : |Totals: )' "$work/test.log")
[ -z "$extra" ] || fail "tst_wayland said more than its results: $extra"

echo "PASS: on Wayland the program showed its window without a word, and tst_wayland passed"
