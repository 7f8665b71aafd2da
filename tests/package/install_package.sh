#!/bin/sh
# The Debian package on a real system: dpkg installs it, a player starts
# `picture-cubes` from / with a user's PATH, sees its window, leaves with
# Escape and code 0, and dpkg removes it again.
# Usage: install_package.sh path/to/picture-cubes_*.deb
set -eu
# The window's title.
title_pattern='^Obrazkowe klocki$'
skip=77

deb=$(readlink -f "$1")
if [ "$(id -u)" -ne 0 ] || ! command -v dpkg >/dev/null; then
    echo "SKIP: installing a package needs root and dpkg"
    exit $skip
fi
if dpkg-query -W -f='${Status}' picture-cubes 2>/dev/null | grep -q "ok installed"; then
    echo "SKIP: picture-cubes is already installed here; the test will not replace it"
    exit $skip
fi
if [ -z "${PACKAGE_INSIDE_X:-}" ]; then
    export PACKAGE_INSIDE_X=1
    # Its own range of display numbers, so it never races the window test for one.
    exec xvfb-run -a -n 60 -s "-screen 0 1280x800x24" "$0" "$deb"
fi

. "$(dirname "$(readlink -f "$0")")/../window/window_lib.sh"
log=$(mktemp)

# dpkg does not wait for its lock: another install on the machine may hold it.
dpkg_retrying() {
    tries=0
    until output=$(dpkg "$@" 2>&1); do
        tries=$((tries + 1))
        echo "$output" | grep -q "lock" && [ "$tries" -le 120 ] || { echo "$output"; return 1; }
        sleep 1
    done
}
keep_state_in_scratch
trap 'dpkg_retrying --purge picture-cubes >/dev/null || true; rm -rf "$log" "$XDG_STATE_HOME"' EXIT

dpkg_retrying -i "$deb" || fail "dpkg -i"
echo "installed"

# The PATH a Debian user logs in with: games live in /usr/games.
(cd / && exec env PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games picture-cubes) \
    2>"$log" &
pid=$!
title=""
waited=0
until echo "$title" | grep -Eq "$title_pattern"; do
    kill -0 "$pid" 2>/dev/null || fail "the game ended before its window appeared"
    [ "$waited" -le 60 ] || fail "no window titled as expected (last seen: '$title')"
    sleep 0.5
    waited=$((waited + 1))
    find_window
    [ -n "$wid" ] || continue
    title=$(xdotool getwindowname "$wid" 2>/dev/null) || title=""
done
echo "window '$title' open"

# Input is polled once per frame and not at all during the intro's fades:
# Escape is pressed until the game has gone. A click on the empty thumbnail
# column ends the intro's wait early and means nothing on the game screen.
click_and_escape() {
    xdotool windowfocus --sync "$wid" mousemove --window "$wid" 60 400 \
        mousedown 1 sleep 0.1 mouseup 1 key --clearmodifiers Escape
}
leave_by click_and_escape
echo "left by Escape with code 0"

dpkg_retrying --purge picture-cubes || fail "dpkg --purge"
[ ! -e /usr/games/picture-cubes ] && [ ! -e /usr/share/picture-cubes ] ||
    fail "files left behind after removal"
echo "removed"
echo "PASS"
