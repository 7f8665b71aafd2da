#!/bin/sh
# `picture-cubes FOLDER` in a real (virtual) window deals a set whose
# thumbnails are the folder's six pictures, each upright, though one is a
# portrait stored turned by its EXIF tag and two are stored upside down or
# turned the other way; and the folder is left exactly as it was.
# Usage: own_pictures.sh path/to/picture-cubes path/to/make_pictures
set -eu
game=$(readlink -f "$1")
make_pictures=$(readlink -f "$2")

. "$(dirname "$(readlink -f "$0")")/window_lib.sh"
inside_x OWN_INSIDE_X "$0" "$game" "$make_pictures"

keep_state_in_scratch
work=$(mktemp -d)
trap 'rm -rf "$XDG_STATE_HOME" "$work"' EXIT
log="$work/errors"
pictures="$work/Wakacje 2025"
mkdir "$pictures" "$work/upright"
"$make_pictures" "$pictures" "$work/upright"
# Everything about the folder that a write would change.
folder_state() { (cd "$pictures" && stat -c %y . && ls -lA --time-style=full-iso && md5sum -- *); }
before=$(folder_state)

start_game "$pictures"
settled_screenshot "$work/intro.png"
click_at 10 10
dealt_screenshot "$work/dealt.png"

# Each thumbnail, inside its frame, against every scene's upright middle.
less() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
matched=""
for k in 1 2 3 4 5 6; do
    convert "$work/dealt.png" -crop "120x80+80+$((36 + 110 * (k - 1)))" +repage "$work/thumbnail.png"
    best="" best_error=1
    for scene in "$work"/upright/*.png; do
        convert "$scene" -resize '140x100!' -crop 120x80+10+10 +repage "$work/expected.png"
        error=$(compare -metric RMSE "$work/thumbnail.png" "$work/expected.png" null: 2>&1 |
            sed 's/.*(\(.*\)).*/\1/') || true
        if less "$error" "$best_error"; then best=$(basename "$scene") best_error=$error; fi
    done
    less "$best_error" 0.06 ||
        fail "thumbnail $k is none of the pictures upright (nearest $best, error $best_error)"
    case "$matched" in *" $best"*) fail "two thumbnails show $best" ;; esac
    matched="$matched $best"
    echo "thumbnail $k: $best, upright (error $best_error)"
done

leave_by press_escape
[ "$(folder_state)" = "$before" ] || fail "the game changed the player's folder"
echo "PASS: the folder's six pictures dealt as a set, every thumbnail upright; the folder untouched"
