#!/usr/bin/env bash
# The real Velmora.exe under Wine, driven with X input: the login window appears at 926x646, moves
# when dragged anywhere on its picture, ignores Enter, and Escape ends the process cleanly.
#   tests/e2e/login-window.sh path/to/Velmora.exe
set -uo pipefail
exe=$1
. "$(dirname "$0")/../../tools/wine-env.sh"

passes=0
failures=0
check() { # check "what" command...
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
        passes=$((passes + 1))
    else
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}
# Polls a condition ten times a second until it holds or `tenths` have passed.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
    "$@"
}

velmora_wine_up || exit 1
pid=
log=$(mktemp)
cleanup() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; fi
    rm -f "$log"
}
trap cleanup EXIT

"$VELMORA_WINE" "$exe" </dev/null >"$log" 2>&1 &
pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Velmora$' 2>/dev/null | head -n 1)
if [ -z "$window" ]; then
    echo "FAILED: the login window did not appear"
    cat "$log"
    echo "0 passed, 1 failed"
    exit 1
fi

geometry() { xdotool getwindowgeometry --shell "$window" 2>/dev/null | tr '\n' ' '; }
at() { # at X Y W H: the window has this geometry
    local want="X=$1 Y=$2 WIDTH=$3 HEIGHT=$4 "
    [[ "$(geometry)" == *"$want"* ]]
}
check "the login window shows 926x646 at the screen's corner" at 0 0 926 646

# Enter first: the drag after it is handled only once Enter has been, so its result proves both.
xdotool key --window "$window" Return 2>/dev/null
xdotool mousemove 500 300 mousedown 1 mousemove 520 310 mousemove 560 340 mousemove 600 380 mouseup 1
check "a drag inside the picture moves the window by the same distance" wait_for 50 at 100 80 926 646
check "Enter leaves the launcher running" kill -0 "$pid"

xdotool mousemove 120 90 mousedown 1 mousemove 100 70 mousemove 70 40 mouseup 1
check "a drag near the picture's edge moves it too" wait_for 50 at 50 30 926 646

xdotool key --window "$window" Escape 2>/dev/null
exited() { ! kill -0 "$pid" 2>/dev/null; }
check "Escape ends the process" wait_for 100 exited
if exited; then
    wait "$pid"
    code=$?
    pid=
    check "the process exits with code 0" [ "$code" = 0 ]
fi

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
