#!/bin/sh
# The saved game in the real window.
# - A game left mid-set comes back as it was: a roll, Escape, a new start
#   shows the same window, counter and board.
# - Two copies: a second copy says once that another copy holds the saved
#   game and plays a new one; the first saves last and is killed; the next
#   start resumes its board, its lock blocking nothing.
# - Killed (kill -9) at random moments while cubes roll and every fsync takes
#   0.4 s: every start resumes the saved game whole, without a word about a
#   damaged file, and its counter never falls below the last one saved.
# - Saving never holds up a frame: with every fsync taking 0.4 s, three
#   Shift+Right rolls 0.3 s apart all happen, in at most 1.3 times their time
#   without and 0.3 s; the close button then leaves with the last state on disk.
# - A full disk keeps the old state and is told once; leaving while a save is
#   being flushed waits at most 2 s and says so.
# Usage: resume.sh path/to/picture-cubes path/to/close_window path/to/region_changes
# RESUME_KILLS=n kills it n times (1); RESUME_SEED=s picks other moments.
set -eu
game=$(readlink -f "$1")
close_window=$(readlink -f "$2")
region_changes=$(readlink -f "$3")
kills=${RESUME_KILLS:-1}
seed=${RESUME_SEED:-1}

# Room for two windows side by side.
screen_size=2100x760
. "$(dirname "$(readlink -f "$0")")/window_lib.sh"
inside_x RESUME_INSIDE_X "$0" "$game" "$close_window" "$region_changes"

log=$(mktemp)
keep_state_in_scratch
saved="$XDG_STATE_HOME/picture-cubes/game"
shots=$(mktemp -d "$XDG_STATE_HOME/shots.XXXXXX")

moves() { sed -n 's/^moves //p' "$saved" 2>/dev/null || true; }
saved_whole() { [ "$(tail -n 1 "$saved")" = end ] || fail "the saved game is not whole"; }

# Starts the game and clicks beside the intro's text (not on the offer of a
# new game) until the game screen shows: its move label is where the intro is
# black. With an argument, the game runs under strace, which injects it into
# every fsync (delay_enter=400000: each takes 0.4 s; error=ENOSPC: the disk is
# full); only fsync is stopped for, so nothing else is slowed.
start() {
    if [ -n "${1:-}" ]; then
        (cd / && exec strace -f --seccomp-bpf -qq -o /dev/null -e trace=fsync \
            -e inject="fsync:$1" "$game") 2>>"$log" &
        parent=$!
        tries=0
        # By name: strace first forks short-lived children of its own, to
        # probe what the kernel lets it do.
        until pid=$(pgrep -x -P "$parent" "$(basename "$game")"); do
            tries=$((tries + 1))
            [ "$tries" -le 100 ] || fail "the game did not start under strace"
            sleep 0.1
        done
    else
        (cd / && exec "$game") 2>>"$log" &
        pid=$!
        parent=$pid
    fi
    wid=""
    tries=0
    while :; do
        tries=$((tries + 1))
        [ "$tries" -le 240 ] || fail "the game screen never showed"
        kill -0 "$pid" 2>/dev/null || fail "the game ended at start${1:+ (fsync: $1)}"
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

# Rolls until the saved game is no longer what `$1` tests true for.
roll_while() {
    tries=0
    while "$@"; do
        tries=$((tries + 1))
        [ "$tries" -le 120 ] || fail "no roll was saved ($*)"
        kill -0 "$pid" 2>/dev/null || fail "the game ended while rolling"
        roll 405 195
        sleep 1
    done
}
counter_at_most() { [ "$(moves)" = "" ] || [ "$(moves)" -le "$1" ]; }
same_as() { cmp -s "$saved" "$1"; }
# Rolls until the saved counter passes `$1`: the board is in play.
roll_until_saved_past() { roll_while counter_at_most "$1"; }

start
roll_until_saved_past 0
settled_screenshot "$shots/left.png"
leave_by press_escape
start
settled_screenshot "$shots/resumed.png"
differ=$(compare -metric AE "$shots/left.png" "$shots/resumed.png" null: 2>&1) || true
[ "$differ" = "0" ] || fail "the resumed window differs from the one left in $differ pixels"
echo "left mid-set with $(moves) moves, resumed pixel for pixel"

# Three rolls by keys, timed, as saving goes when nothing slows it.
xdotool windowfocus --sync "$wid"
hold_keys Right
three_rolls
quick=$rolls_took

# Two copies, side by side.
first=$pid
first_window=$wid
xdotool windowmove "$wid" 0 0
first_log=$log
log=$(mktemp)
cp "$saved" "$shots/before-second"
start
xdotool windowmove "$wid" 1060 0
told=$(grep -c "another copy of the game is running and holds the saved game" "$log") || true
[ "$told" = 1 ] || fail "the second copy told $told times that another copy holds the saved game"
roll_while same_as "$shots/before-second"
second=$pid
cp "$saved" "$shots/second"
pid=$first
wid=$first_window
roll_while same_as "$shots/second"
settled_screenshot "$shots/first.png"
kill -9 "$first"
wait "$first" 2>/dev/null || true
pid=$second
parent=$pid
leave_by press_escape
! grep -q "^picture-cubes: .*cannot" "$log" || fail "the second copy could not save or use a file"
rm -f "$log"
log=$first_log

# The next start, with every fsync taking 0.4 s.
start delay_enter=400000
! grep -q "another copy" "$log" || fail "the lock of a killed copy blocked the next one"
settled_screenshot "$shots/third.png"
differ=$(compare -metric AE "$shots/first.png" "$shots/third.png" null: 2>&1) || true
[ "$differ" = "0" ] || fail "the next start did not resume the copy that saved last ($differ pixels differ)"
echo "a second copy said so once and played its own game; the first saved last, was killed, and its board came back"

# The same three rolls; then the window's close button, at once.
before_rolls=$(moves)
xdotool windowfocus --sync "$wid"
hold_keys Right
three_rolls
slow=$rolls_took
expected=$((before_rolls + rolls_made))
"$close_window" "$wid"
leave_by true
echo "three rolls 0.3 s apart took ${quick} s, and ${slow} s with every fsync taking 0.4 s"
# A save that held up the frames would cost 0.8 s (a file's fsync and its
# folder's); a busy machine costs a roll up to 0.3 s.
[ "$(echo "$slow <= 1.3 * $quick + 0.3" | bc)" = 1 ] || fail "the slow disk held the rolls up"
[ "$(moves)" = "$expected" ] || fail "left by the close button with $(moves) moves saved, not $expected"
saved_whole
echo "left by the close button at once, the last roll on disk"

# Kills at random moments of a roll (a roll lasts 76 frames) while every
# fsync takes 0.4 s, so that most land while a save is flushed; each start
# after a kill rolls on from the game it resumed.
random=$seed
for kill in $(seq "$kills"); do
    start delay_enter=400000
    roll_until_saved_past "$(moves)"
    random=$(((random * 1103515245 + 12345) % 2147483648))
    roll 405 195
    sleep "0.$((random % 10))"
    last=$(moves)
    kill -9 "$pid"
    wait "$parent" 2>/dev/null || true
    after=$(moves)
    [ -n "$after" ] && [ "$after" -ge "$last" ] ||
        fail "kill $kill: the saved counter went from $last to '$after'"
    saved_whole
done
echo "killed $kills times during rolls and slow saves; the saved game stayed whole, the counter never went back"

# A save that takes 6 s: Escape waits at most 2 s for it (after the fade),
# says the save was lost, and the old state stays whole.
expected=$(moves)
start delay_enter=6000000
# A resumed set comes in first; no input is read until it stands.
settled_screenshot "$shots/now.png"
roll 405 195
sleep 0.5
# Gone once a zombie: strace, held by its own delay, reaps it only later.
xdotool windowfocus --sync "$wid"
began=$(date +%s.%N)
hold_keys Escape
tries=0
while :; do
    case "$(ps -o stat= -p "$pid")" in Z* | "") break ;; esac
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || fail "leaving waited over 10 s for a save"
    sleep 0.1
done
took=$(echo "$(date +%s.%N) - $began" | bc)
leave_by true
[ "$(echo "$took <= 5" | bc)" = 1 ] || fail "leaving took ${took} s with a save being flushed"
grep -q "still being saved .* after 2 s" "$log" || fail "leaving did not say the save was lost"
sed -i '/still being saved/d' "$log"
[ "$(moves)" = "$expected" ] || fail "a save cut short changed the saved counter to $(moves)"
saved_whole
echo "leaving waited at most 2 s for a slow save (${took} s with the fade), said so, and kept the old state"

# A full disk: the old state stays, told once; the last start resumes it.
start error=ENOSPC
[ "$(moves)" = "$expected" ] || fail "the last start found $(moves) moves, not $expected"
settled_screenshot "$shots/now.png"
roll 405 195
sleep 1
roll 405 195
sleep 1
[ "$(moves)" = "$expected" ] && [ ! -e "$saved.new" ] || fail "a full disk did not leave the old state"
leave_by press_escape
told=$(grep -c "cannot save the game in .* (No space left on device)" "$log") || true
[ "$told" = 1 ] || fail "a full disk was told $told times"
sed -i '/cannot save/d' "$log"
echo "a full disk kept the old state, told once"
! grep -q "cannot be used\|cannot save" "$log" || fail "a start refused the saved game"
[ ! -e "$saved.bad" ] || fail "a saved game was set aside"
rm -f "$log"
echo "PASS"
