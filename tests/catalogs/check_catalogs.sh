#!/bin/sh
# Every catalog is valid and complete: the template holds every text of the
# sources, the menu entry and the AppStream data, and each catalog of
# po/LINGUAS translates all of them, with no fuzzy entry.
# Usage: check_catalogs.sh (from anywhere)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$root/tools/extract-texts" "$work/fresh.pot"
# The creation date is the only line that differs between two extractions.
grep -v '^"POT-Creation-Date:' "$root/po/picture-cubes.pot" >"$work/kept.pot"
grep -v '^"POT-Creation-Date:' "$work/fresh.pot" >"$work/fresh-undated.pot"
diff -u "$work/kept.pot" "$work/fresh-undated.pot" ||
    fail "po/picture-cubes.pot is not the sources' template: run tools/update-po"
echo "the template holds every text"

languages=$(grep -v '^#' "$root/po/LINGUAS")
[ -n "$languages" ] || fail "po/LINGUAS names no language"
for language in $languages; do
    po="$root/po/$language.po"
    statistics=$(msgfmt --check --statistics -o /dev/null "$po" 2>&1) ||
        fail "$language.po: $statistics"
    case "$statistics" in *fuzzy* | *untranslated*) fail "$language.po: $statistics" ;; esac
    msgcmp "$po" "$root/po/picture-cubes.pot" || fail "$language.po lacks texts of the template"
    echo "$language.po: $statistics"
done
echo PASS
