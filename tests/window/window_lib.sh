# What the window scripts share: a virtual X screen, failing with the game's
# stderr, starting the game and finding its window, waiting for the screen to
# stand still, keys held across frames, and leaving with a checked exit code.
# Sourced with `. window_lib.sh`; a script sets `log` to the file that gets
# the game's stderr.

# Runs the calling script again inside a virtual X server, once: the variable
# named by the first argument marks the second run.
inside_x() {
    marker=$1
    shift
    if eval "[ -z \"\${$marker:-}\" ]"; then
        export "$marker=1"
        exec xvfb-run -a -s "-screen 0 ${screen_size:-1280x800}x24" "$@"
    fi
}

# What the game saves goes to a scratch folder, removed when the script ends,
# never to the real home.
keep_state_in_scratch() {
    XDG_STATE_HOME=$(mktemp -d)
    export XDG_STATE_HOME
    trap 'rm -rf "$XDG_STATE_HOME"' EXIT
}

fail() {
    echo "FAIL: $*"
    echo "--- game's stderr:"
    cat "$log"
    # A game left running would keep the test's output open, and the test
    # going, until its time-out.
    [ -z "${pid:-}" ] || kill -9 "$pid" 2>/dev/null || true
    pkill -9 -P $$ 2>/dev/null || true
    exit 1
}

# The game's visible window. Looked up afresh before each use: the window a
# search first finds may be replaced while the display is being set up.
find_window() {
    wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | tail -n 1) || wid=""
}

# Starts the game from an unrelated folder, so it must find its media by
# itself, in the language of LANG=$game_lang (the plain locale unless a script
# says), with the arguments given, and waits for its 1020 x 710 window.
start_game() {
    (cd / && exec env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="${game_lang:-C}" "$game" "$@") \
        2>"$log" &
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
# frame and reads none during its blocking sequences). Then checks the code,
# which a `parent` the game runs under (strace) passes on.
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
    wait "${parent:-$pid}" || code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after $1"
}

press_escape() {
    xdotool windowfocus --sync "$wid"
    xdotool key --clearmodifiers Escape
}

# A press of the primary button at (x, y) of the window, held long enough
# for a frame's poll to see it.
click_at() {
    xdotool mousemove --window "$wid" "$1" "$2" mousedown 1
    sleep 0.2
    xdotool mouseup 1
}

# Keys held for a tenth of a second, long enough for a frame's poll to see
# them, released in the opposite order.
hold_keys() {
    xdotool keydown "$@"
    sleep 0.1
    released=""
    for key in "$@"; do released="$key $released"; done
    # shellcheck disable=SC2086
    xdotool keyup $released
}

# The window's content, once it has stayed the same for a second: the intro's
# wait, or the game screen once a set is dealt.
settled_screenshot() {
    last=""
    same=0
    tries=0
    while [ "$same" -lt 2 ]; do
        tries=$((tries + 1))
        [ "$tries" -le 240 ] || fail "the window never stood still"
        sleep 0.5
        find_window
        import -window "$wid" "$1" 2>/dev/null || continue
        sum=$(md5sum <"$1")
        if [ "$sum" = "$last" ]; then same=$((same + 1)); else same=0; fi
        last=$sum
    done
}

# The game screen once a set is dealt and stands still; a set's pictures load
# on a still, dark screen first, and no input is read until it is dealt.
dealt_screenshot() {
    waits=0
    while :; do
        settled_screenshot "$1"
        [ "$(convert "$1" -format "%[fx:mean > 0.15]" info:)" = 0 ] || return 0
        waits=$((waits + 1))
        [ "$waits" -le 60 ] || fail "no set was dealt"
    done
}

# Three Shift+Right rolls of the focused cube started 0.3 s apart; sets
# `rolls_took` to the seconds from the first press to the end of the third
# roll, as the move counter shows it, and `rolls_made` to every roll seen.
# A press that comes while the game stands still is lost, and so, on a busy
# machine, is one that comes while the last roll still runs: three tries in
# which fewer than three rolls end within 10 s fail. Needs the region_changes
# helper in $region_changes.
three_rolls() {
    rolls_made=0
    for try in 1 2 3; do
        changes=$(mktemp)
        "$region_changes" "$wid" 377 28 36 40 3 10 >"$changes" &
        watcher=$!
        sleep 0.3
        xdotool windowfocus --sync "$wid"
        first=$(date +%s.%N)
        for roll in 0 1 2; do
            pause=$(echo "$first + 0.3 * $roll - $(date +%s.%N)" | bc)
            case "$pause" in -*) ;; *) sleep "$pause" ;; esac
            hold_keys shift Right
        done
        ended=0
        wait "$watcher" && ended=1
        seen=$(wc -l <"$changes")
        rolls_made=$((rolls_made + seen))
        rolls_took=$(echo "$(tail -n 1 "$changes") - $first" | bc)
        rm -f "$changes"
        [ "$ended" = 0 ] || return 0
        echo "try $try: of three rolls only $seen ended"
    done
    fail "of three rolls only $seen ended, in each of three tries"
}
