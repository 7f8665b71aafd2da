#!/bin/sh
# The real game in a real (virtual) X window: it opens 1020 x 710, runs frames,
# and leaves with code 0, once by Escape and once by the exit button.
# Usage: smoke.sh path/to/picture-cubes
set -eu
game=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")

if [ -z "${SMOKE_INSIDE_X:-}" ]; then
    export SMOKE_INSIDE_X=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$game"
fi

log=$(mktemp)
fail() { echo "FAIL: $*"; echo "--- game's stderr:"; cat "$log"; exit 1; }

# Starts the game from an unrelated folder, so it must find its media by itself.
start_game() {
    (cd / && exec "$game") 2>"$log" &
    pid=$!
    wid=""
    waited=0
    while [ -z "$wid" ]; do
        kill -0 "$pid" 2>/dev/null || fail "the game ended before its window appeared"
        [ "$waited" -le 60 ] || fail "no window appeared"
        sleep 0.5
        waited=$((waited + 1))
        wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) || true
    done
    geometry=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "1020x710" ] || fail "window is $geometry, not 1020x710"
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
}

# Repeats an action until the game exits (the game polls its input once per
# frame and reads none during its blocking sequences). Then checks the code.
leave_by() {
    tries=0
    while kill -0 "$pid" 2>/dev/null; do
        tries=$((tries + 1))
        [ "$tries" -le 240 ] || { kill "$pid"; fail "the game did not leave on $1"; }
        "$@"
        sleep 0.5
    done
    code=0
    wait "$pid" || code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after $1"
}

press_escape() { xdotool key --clearmodifiers Escape; }
click_exit_button() {
    xdotool mousemove --window "$wid" 915 672 mousedown 1
    sleep 0.2
    xdotool mouseup 1
}

start_game
leave_by press_escape
echo "left by Escape with code 0"

start_game
leave_by click_exit_button
echo "left by the exit button with code 0"

if ! aplay -l >/dev/null 2>&1 && ! grep -q "playing silent" "$log"; then
    fail "no sound device, yet the game did not say it plays silent"
fi
rm -f "$log"
echo "PASS"
