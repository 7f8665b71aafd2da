#!/bin/sh
# A game left mid-set in the real window comes back as it was: a roll, Escape,
# a new start shows the same window, counter and board. Then the game is
# killed (kill -9) at random moments while cubes roll: every start resumes the
# saved game without a word about a damaged file, and its counter never falls
# below the last one saved before the kill, so at most the roll in flight is lost.
# Usage: resume.sh path/to/picture-cubes [kills] [seed]
set -eu
game=$(readlink -f "$1")
kills=${2:-${RESUME_KILLS:-1}}
seed=${3:-1}

. "$(dirname "$(readlink -f "$0")")/window_lib.sh"
inside_x RESUME_INSIDE_X "$0" "$game" "$kills" "$seed"

log=$(mktemp)
keep_state_in_scratch
saved="$XDG_STATE_HOME/picture-cubes/game"
shots=$(mktemp -d "$XDG_STATE_HOME/shots.XXXXXX")

moves() { sed -n 's/^moves //p' "$saved" 2>/dev/null || true; }

# Starts the game and clicks beside the intro's text (not on the offer of a
# new game) until the game screen shows: its move label is where the intro is
# black.
start() {
    (cd / && exec "$game") 2>>"$log" &
    pid=$!
    wid=""
    tries=0
    while :; do
        tries=$((tries + 1))
        [ "$tries" -le 240 ] || fail "the game screen never showed"
        kill -0 "$pid" 2>/dev/null || fail "the game ended at start"
        sleep 0.5
        find_window
        [ -n "$wid" ] || continue
        xdotool mousemove --window "$wid" 10 10 click 1 2>/dev/null || continue
        import -window "$wid" "$shots/now.png" 2>/dev/null || continue
        label=$(convert "$shots/now.png" -format '%[fx:int(255*p{255,62}.r)]' info: 2>/dev/null) || continue
        [ "${label:-0}" -lt 100 ] || break
    done
}

# Rolls the cube under (x, y) to the right.
roll() {
    xdotool mousemove --window "$wid" "$1" "$2" mousedown 1 sleep 0.15 \
        mousemove --window "$wid" $(($1 + 40)) "$2" sleep 0.15 mouseup 1 \
        mousemove --window "$wid" 10 10 2>/dev/null || true
}

# Rolls until the saved counter passes `$1`: the board is in play.
roll_until_saved_past() {
    tries=0
    while [ "$(moves)" = "" ] || [ "$(moves)" -le "$1" ]; do
        tries=$((tries + 1))
        [ "$tries" -le 120 ] || fail "no roll was saved (counter ${1})"
        kill -0 "$pid" 2>/dev/null || fail "the game ended while rolling"
        roll 405 195
        sleep 1
    done
}

start
roll_until_saved_past 0
settled_screenshot "$shots/left.png"
leave_by press_escape
start
settled_screenshot "$shots/resumed.png"
differ=$(compare -metric AE "$shots/left.png" "$shots/resumed.png" null: 2>&1) || true
[ "$differ" = "0" ] || fail "the resumed window differs from the one left in $differ pixels"
echo "left mid-set with $(moves) moves, resumed pixel for pixel"

# Kills at random moments of a roll (a roll lasts 76 frames); each start after
# a kill rolls on from the game it resumed.
random=$seed
for kill in $(seq "$kills"); do
    [ "$kill" -eq 1 ] || start
    roll_until_saved_past "$(moves)"
    random=$(((random * 1103515245 + 12345) % 2147483648))
    roll 405 195
    sleep "0.$((random % 10))"
    last=$(moves)
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    after=$(moves)
    [ -n "$after" ] && [ "$after" -ge "$last" ] ||
        fail "kill $kill: the saved counter went from $last to '$after'"
done
start
roll_until_saved_past "$(moves)"
leave_by press_escape
! grep -q "cannot be used\|cannot save" "$log" || fail "a start refused the saved game"
[ ! -e "$saved.bad" ] || fail "a saved game was set aside"
echo "killed $kills times during rolls; every start resumed, the counter never went back (now $(moves))"
rm -f "$log"
echo "PASS"
