#!/bin/sh
# The game writes only its own state folder: traced through its intro, the
# loading of the first set and leaving, it creates, opens for writing, renames
# or removes no file outside ~/.local/state/picture-cubes, /dev, /proc and the
# X server's sockets; and it does leave its game there, private to the player.
# Usage: writes_nothing.sh path/to/picture-cubes
set -eu
game=$(readlink -f "$1")

. "$(dirname "$(readlink -f "$0")")/window_lib.sh"
inside_x TRACE_INSIDE_X "$0" "$game"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trace="$work/trace"
log="$work/errors"

# A desktop session as a sound server leaves it: the sound library's client
# finds its folders made and has nothing to set up.
mkdir -p "$work/home/.config/pulse" "$work/run/pulse"
chmod 700 "$work/run" "$work/home/.config/pulse"

# Without XDG_STATE_HOME the game keeps its state under the home folder.
state="$work/home/.local/state"
(cd / && HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
    exec env -u XDG_STATE_HOME strace -f -y -qq -e trace=%file -o "$trace" "$game") 2>"$work/errors" &
pid=$!

# The intro ends on a click. Start-up opens every picture of the three groups,
# the last group last; the first set is loading once a picture of the first
# group has been opened more often than those of the last.
opens() {
    count=$(grep -c "^[0-9]* *open[a-z0-9]*(.*\"[^\"]*media/$1\"" "$trace" 2>/dev/null) || true
    echo "${count:-0}"
}
set_loading() {
    last=$(opens w10.jpg)
    [ "$last" -gt 0 ] && [ "$last" -eq "$(opens w1.jpg)" ] || return 1
    for number in 1 2 3 4 5 6 7 8 9 10; do
        [ "$(opens "b$number.jpg")" -le "$last" ] || return 0
    done
    return 1
}
tries=0
until set_loading; do
    kill -0 "$pid" 2>/dev/null || fail "the game ended before loading a set"
    tries=$((tries + 1))
    [ "$tries" -le 240 ] || { kill "$pid"; fail "no set was loaded"; }
    wid=$(xdotool search --all --onlyvisible --pid "$pid" --name '^picture-cubes$' 2>/dev/null |
        tail -n 1) || wid=""
    [ -z "$wid" ] || xdotool mousemove --window "$wid" 510 300 mousedown 1 sleep 0.2 mouseup 1
    sleep 0.5
done

# No input is read while the set loads, so Escape ends the game only after it.
tries=0
while kill -0 "$pid" 2>/dev/null; do
    tries=$((tries + 1))
    [ "$tries" -le 240 ] || { kill "$pid"; fail "the game did not leave on Escape"; }
    xdotool keydown Escape sleep 0.1 keyup Escape 2>/dev/null || true
    sleep 0.5
done
code=0
wait "$pid" || code=$?
[ "$code" -eq 0 ] || fail "exit code $code"

# Successful calls that change a path, and opens that may write; the state
# folder (and the folders made on the way to it), /dev, /proc and the X
# server's sockets are allowed. File descriptors are shown as their paths.
calls=$(grep -E '^[0-9]+ +(open|openat|openat2|creat|mkdir|mkdirat|mknod|mknodat|rename|renameat|renameat2|link|linkat|symlink|symlinkat|unlink|unlinkat|rmdir|truncate|chmod|fchmodat|chown|lchown|fchownat|utimes|utimensat)\(' "$trace" |
    grep -v '= -1 ' || true)
opens=$(echo "$calls" | grep -E '^[0-9]+ +open' | grep -E 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND' || true)
others=$(echo "$calls" | grep -vE '^[0-9]+ +open' || true)
writes=$(printf '%s\n%s\n' "$opens" "$others" | grep -vE '"(/dev/|/proc/|/tmp/\.X11-unix/)' |
    grep -vF "<$state/picture-cubes>" | grep -vF "\"$state/picture-cubes\"" |
    grep -vE "^[0-9]+ +mkdir\(\"($work/home/\.local|$state)\"" | grep . || true)
[ -z "$writes" ] || fail "the game wrote:
$writes"
[ "$(stat -c %a "$state/picture-cubes")" = 700 ] && [ "$(stat -c %a "$state/picture-cubes/game")" = 600 ] ||
    fail "no private saved game in $state/picture-cubes"
echo "PASS: $(wc -l <"$trace") file calls traced through the intro, a set's loading and leaving; only the state folder is written"
