#!/bin/bash
# The real game in a virtual X window under random input for a while (two
# minutes unless told otherwise): pointer moves, presses, drags, releases and
# clicks anywhere but on the exit button, never Escape. The game must stay
# alive, its resident memory must not grow past the first minute's by more
# than 2 MiB, and it must then leave on Escape with code 0.
# Usage: soak.sh path/to/picture-cubes [seconds] [seed]
set -eu
game=$(readlink -f "$1")
seconds=${2:-120}
seed=${3:-1}

. "$(dirname "$(readlink -f "$0")")/window_lib.sh"
inside_x SOAK_INSIDE_X "$0" "$game" "$seconds" "$seed"

log=$(mktemp)
keep_state_in_scratch
start_game

rss_kib() { sed -n 's/^VmRSS:[^0-9]*\([0-9]*\).*/\1/p' "/proc/$pid/status"; }

# A random point of the window, kept clear of the exit button by a margin:
# the game leaves when it sees the button pressed there.
RANDOM=$seed
point() {
    while :; do
        x=$((RANDOM % 1020))
        y=$((RANDOM % 710))
        if ((x < 855 || x > 975 || y < 652 || y > 692)); then return; fi
    done
}
pause() { sleep "0.0$((RANDOM % 10))"; }

start=$(date +%s)
minute_rss=""
peak_after_minute=0
next_report=0
actions=0
while :; do
    elapsed=$(($(date +%s) - start))
    [ "$elapsed" -lt "$seconds" ] || break
    kill -0 "$pid" 2>/dev/null || fail "the game ended after ${elapsed}s of random input"
    rss=$(rss_kib)
    if [ "$elapsed" -ge "$next_report" ]; then
        echo "${elapsed}s: resident ${rss} KiB after $actions actions"
        next_report=$((next_report + 10))
    fi
    if [ "$elapsed" -ge 60 ]; then
        [ -n "$minute_rss" ] || minute_rss=$rss
        [ "$rss" -le "$peak_after_minute" ] || peak_after_minute=$rss
    fi

    point
    case $((RANDOM % 5)) in
        0) xdotool mousemove --window "$wid" "$x" "$y" ;;
        1) xdotool mousemove --window "$wid" "$x" "$y" click 1 ;;
        2) xdotool mousemove --window "$wid" "$x" "$y" mousedown 1 ;;
        3) xdotool mousemove --window "$wid" "$x" "$y" mouseup 1 ;;
        4)
            # A drag: press, a move of up to 60 pixels each way, a release
            # after up to a second, often while the roll still runs.
            xdotool mousemove --window "$wid" "$x" "$y" mousedown 1
            pause
            x2=$((x + RANDOM % 121 - 60))
            y2=$((y + RANDOM % 121 - 60))
            if ((x2 >= 855 && x2 <= 975 && y2 >= 652 && y2 <= 692)); then y2=$((y2 - 80)); fi
            xdotool mousemove --window "$wid" "$x2" "$y2"
            sleep "0.$((RANDOM % 10))"
            xdotool mouseup 1
            ;;
    esac
    actions=$((actions + 1))
    pause
done
xdotool mouseup 1 2>/dev/null || true
[ -n "$minute_rss" ] || minute_rss=$(rss_kib)
echo "resident after the first minute: $minute_rss KiB, highest since: $peak_after_minute KiB"
growth=$((peak_after_minute - minute_rss))
[ "$growth" -le 2048 ] || fail "resident memory grew by $growth KiB after the first minute"

# Escape is read once per frame, and not during the blocking sequences.
leave_by press_escape
rm -f "$log"
echo "PASS: $actions random actions in ${seconds}s, left on Escape with code 0"
