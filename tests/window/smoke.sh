#!/bin/sh
# The real game in a real (virtual) X window: it opens 1020 x 710 with its
# title, runs frames, and leaves with code 0: by Escape, by the exit button and
# by the window's close button (within 0.2 s, even while the intro waits).
# Doubled in size it shows the same picture and its exit button still works.
# Usage: smoke.sh path/to/picture-cubes path/to/close_window
set -eu
game=$(readlink -f "$1")
close_window=$(readlink -f "$2")

if [ -z "${SMOKE_INSIDE_X:-}" ]; then
    export SMOKE_INSIDE_X=1
    exec xvfb-run -a -s "-screen 0 2200x1600x24" "$0" "$game" "$close_window"
fi

log=$(mktemp)
fail() { echo "FAIL: $*"; echo "--- game's stderr:"; cat "$log"; exit 1; }
. "$(dirname "$0")/common.sh"
keep_state_in_scratch

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

# Seconds between asking the window to close and the game being gone; it must
# leave with code 0. A loaded machine may delay one try, so it gets three.
close_while_waiting() {
    best=""
    for try in 1 2 3; do
        start_game
        settled_screenshot "$shots/intro.png"
        [ "$(xdotool getwindowname "$wid")" = "Obrazkowe klocki" ] ||
            fail "the window is not titled \"Obrazkowe klocki\""
        started=$(date +%s.%N)
        "$close_window" "$wid"
        while kill -0 "$pid" 2>/dev/null; do sleep 0.01; done
        took=$(echo "$(date +%s.%N) - $started" | bc)
        code=0
        wait "$pid" || code=$?
        [ "$code" -eq 0 ] || fail "exit code $code after closing in the intro"
        best=$took
        [ "$(echo "$took <= 0.2" | bc)" -eq 0 ] || return 0
    done
    fail "the game took $best s to leave after its close button, in the intro's wait"
}
shots=$(mktemp -d)
close_while_waiting
echo "titled \"Obrazkowe klocki\"; closed during the intro's wait within 0.2 s ($best s)"

# Doubled, the window shows the same picture, pixel for pixel scaled, and the
# exit button answers at doubled coordinates.
start_game
settled_screenshot "$shots/intro.png"
xdotool mousemove --window "$wid" 10 10 mousedown 1
sleep 0.2
xdotool mouseup 1
settled_screenshot "$shots/designed.png"
xdotool windowsize "$wid" 2040 1420
settled_screenshot "$shots/doubled.png"
[ "$(identify -format %wx%h "$shots/doubled.png")" = "2040x1420" ] || fail "the window was not doubled"
convert "$shots/doubled.png" -scale 50% "$shots/halved.png"
differ=$(compare -metric AE "$shots/designed.png" "$shots/halved.png" null: 2>&1) || true
[ "$differ" = "0" ] || fail "the doubled window scaled back differs in $differ pixels"
click_doubled_exit_button() {
    xdotool mousemove --window "$wid" 1830 1344 mousedown 1
    sleep 0.2
    xdotool mouseup 1
}
leave_by click_doubled_exit_button
rm -rf "$shots"
echo "doubled, the same picture; left by the exit button at doubled coordinates with code 0"

if ! aplay -l >/dev/null 2>&1 && ! grep -q "playing silent" "$log"; then
    fail "no sound device, yet the game did not say it plays silent"
fi

rm -f "$log"
echo "PASS"
