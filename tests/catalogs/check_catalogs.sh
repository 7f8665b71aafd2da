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
    # msgfmt counts the forms against Plural-Forms but takes an empty one as
    # translated.
    empty=$(awk '/^msgstr\[[0-9]+\] ""$/ { at = FNR; next }
                 at && !/^"/ { exit }  { at = 0 }  END { if (at) print at }' "$po")
    [ -z "$empty" ] || fail "$language.po:$empty: an empty plural form"
    mkdir -p "$work/locale/$language/LC_MESSAGES"
    msgfmt -o "$work/locale/$language/LC_MESSAGES/picture-cubes.mo" "$po"
    echo "$language.po: $statistics"
done

# The forms a count takes, through gettext as the game asks for them; the
# locale is C.UTF-8, as the game's is where the player's is not generated.
form() { # language, text, n: the text with the n's form, %d filled in
    LANGUAGE=$1 LC_ALL=C.UTF-8 TEXTDOMAINDIR="$work/locale" ngettext -d picture-cubes "$2" "$2" "$3" |
        sed "s/%d/$3/"
}
summary="    - wykonano %d obrotów klockami"
record="Rekord grupy: %d obrotów (%s)"
while read -r language n word; do
    got=$(form "$language" "$summary" "$n")
    case $language in
    pl) want="    - wykonano $n $word klockami|Rekord grupy: $n $word (%s)" ;;
    *) want="    - $n cube $word|Group record: $n $word (%s)" ;;
    esac
    got="$got|$(form "$language" "$record" "$n")"
    [ "$got" = "$want" ] || fail "$language, $n: '$got', not '$want'"
done <<'FORMS'
pl 0 obrotów
pl 1 obrót
pl 2 obroty
pl 4 obroty
pl 5 obrotów
pl 12 obrotów
pl 21 obrotów
pl 22 obroty
pl 25 obrotów
pl 101 obrotów
pl 102 obroty
pl 112 obrotów
pl 122 obroty
en 1 rotation
en 2 rotations
en 21 rotations
FORMS
echo "the counts take their plural forms"
echo PASS
