#!/bin/sh
# A player who starts the game from a menu never sees stderr. With stderr sent
# to a file and a picture missing, the game shows a message box whose text
# names the picture, in the words stderr got, and exits 1 once it is closed.
# Usage: failure_box.sh path/to/picture-cubes path/to/close_window
set -eu
game=$(readlink -f "$1")
close_window=$(readlink -f "$2")

. "$(dirname "$(readlink -f "$0")")/window_lib.sh"
inside_x BOX_INSIDE_X "$0" "$game" "$close_window"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log="$work/errors"
export XDG_STATE_HOME="$work/state"

# Runs the game with one picture damaged as asked, finds its message box, reads
# it, closes it and checks the exit code.
box_names_picture() {
    picture=$1
    rm -rf "$work/media"
    mkdir "$work/media"
    for file in "$(dirname "$game")"/media/*; do ln -s "$(readlink -f "$file")" "$work/media/"; done
    rm "$work/media/$picture"
    [ "$2" = missing ] || echo "not a picture" >"$work/media/$picture"

    (cd "$work" && exec "$game") 2>"$work/errors" &
    pid=$!
    waited=0
    wid=""
    while [ -z "$wid" ]; do
        kill -0 "$pid" 2>/dev/null || fail "the game ended without a message box"
        [ "$waited" -le 60 ] || { kill "$pid"; fail "no message box appeared"; }
        sleep 0.5
        waited=$((waited + 1))
        wid=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Obrazkowe klocki: error$' 2>/dev/null |
            tail -n 1) || wid=""
    done

    # Read the box as a player would: its pixels on the screen, enlarged for
    # the text reader.
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" -resize 300% "$work/box.png"
    tesseract "$work/box.png" "$work/box" >/dev/null 2>&1
    grep -q "media/$picture" "$work/errors" || fail "stderr does not name $picture"
    # Every word of stderr's message is in the box too.
    for word in $(grep -v '^ALSA\|^AL lib\|playing silent' "$work/errors" | tr -s ' :\n' '\n\n\n'); do
        grep -qF "$word" "$work/box.txt" ||
            fail "the box lacks '$word' of stderr; it reads: $(cat "$work/box.txt")"
    done

    # Closed by its close button, as a player may; the OK button does the same.
    "$close_window" "$wid"
    waited=0
    while kill -0 "$pid" 2>/dev/null; do
        [ "$waited" -le 20 ] || { kill "$pid"; fail "the game did not end when the box was closed"; }
        sleep 0.5
        waited=$((waited + 1))
    done
    code=0
    wait "$pid" || code=$?
    [ "$code" -eq 1 ] || fail "exit code $code after the box"
    echo "the box named the $2 picture $picture; the game then exited 1"
}

# Missing: found before the window opens. Damaged: found with the window open.
box_names_picture p4.jpg missing
box_names_picture w7.jpg damaged

# Started from a terminal, the player reads stderr there: no box waits.
code=0
timeout 60 script -qec "cd '$work' && '$game'" /dev/null >"$work/errors" 2>&1 || code=$?
[ "$code" -eq 1 ] || fail "exit code $code from a terminal (124: it waited, for a box?)"
grep -q "media/w7.jpg" "$work/errors" || fail "the terminal was not told the picture"
echo "from a terminal: no box, exit 1"
echo PASS
