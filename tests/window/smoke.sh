#!/bin/sh
# The real game in a real (virtual) X window: it opens 1020 x 710, runs frames,
# and leaves with code 0: by Escape, by the exit button and by the window's
# close button.
# Usage: smoke.sh path/to/picture-cubes path/to/close_window
set -eu
game=$(readlink -f "$1")
close_window=$(readlink -f "$2")

if [ -z "${SMOKE_INSIDE_X:-}" ]; then
    export SMOKE_INSIDE_X=1
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$game" "$close_window"
fi

log=$(mktemp)
fail() { echo "FAIL: $*"; echo "--- game's stderr:"; cat "$log"; exit 1; }

# The game's visible window. Looked up afresh before each use: the window a
# search first finds may be replaced while the display is being set up.
find_window() {
    wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | tail -n 1) || wid=""
}

# Starts the game from an unrelated folder, so it must find its media by itself.
start_game() {
    (cd / && exec "$game") 2>"$log" &
    pid=$!
    waited=0
    geometry=""
    while [ "$geometry" != "1020x710" ]; do
        kill -0 "$pid" 2>/dev/null || fail "the game ended before its window appeared"
        [ "$waited" -le 60 ] || fail "no 1020x710 window appeared (last seen: '$geometry')"
        sleep 0.5
        waited=$((waited + 1))
        find_window
        [ -n "$wid" ] || continue
        geometry=$(xdotool getwindowgeometry "$wid" 2>/dev/null | sed -n 's/.*Geometry: //p') || true
    done
}

# Repeats an action until the game exits (the game polls its input once per
# frame and reads none during its blocking sequences). Then checks the code.
leave_by() {
    tries=0
    while kill -0 "$pid" 2>/dev/null; do
        tries=$((tries + 1))
        [ "$tries" -le 240 ] || { kill "$pid"; fail "the game did not leave on $1"; }
        find_window
        [ -z "$wid" ] || "$@" 2>/dev/null || true
        sleep 0.5
    done
    code=0
    wait "$pid" || code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after $1"
}

press_escape() {
    xdotool windowfocus --sync "$wid"
    xdotool key --clearmodifiers Escape
}
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

close_the_window() { "$close_window" "$wid"; }
start_game
leave_by close_the_window
echo "left by the window's close button with code 0"

if ! aplay -l >/dev/null 2>&1 && ! grep -q "playing silent" "$log"; then
    fail "no sound device, yet the game did not say it plays silent"
fi

rm -f "$log"
echo "PASS"
