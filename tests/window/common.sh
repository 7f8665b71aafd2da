# Shared by the window test scripts, sourced once they run inside the virtual
# X server. Each script sets `pid` to the game's process.

# What the game saves goes to a scratch folder, removed when the script ends,
# never to the real home.
keep_state_in_scratch() {
    XDG_STATE_HOME=$(mktemp -d)
    export XDG_STATE_HOME
    trap 'rm -rf "$XDG_STATE_HOME"' EXIT
}

# The game's visible window. Looked up afresh before each use: the window a
# search first finds may be replaced while the display is being set up.
find_window() {
    wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | tail -n 1) || wid=""
}

# The window's content, once it has stayed the same for a second: the intro's
# wait, or the game screen once a set is dealt. Needs the script's `fail`.
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
