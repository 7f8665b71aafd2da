#!/bin/sh
# What the Debian package carries, checked as a desktop and Debian see it: the
# files where they belong, the menu entry and AppStream data valid, the manual
# page rendering without groff warnings, lintian without errors or warnings.
# Usage: check_package.sh path/to/picture-cubes_*.deb
set -eu
deb=$(readlink -f "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

dpkg-deb -x "$deb" "$root"
for file in usr/games/picture-cubes usr/share/applications/picture-cubes.desktop \
    usr/share/icons/hicolor/48x48/apps/picture-cubes.png \
    usr/share/icons/hicolor/64x64/apps/picture-cubes.png \
    usr/share/icons/hicolor/128x128/apps/picture-cubes.png \
    usr/share/icons/hicolor/256x256/apps/picture-cubes.png \
    usr/share/man/man6/picture-cubes.6.gz usr/share/man/pl/man6/picture-cubes.6.gz \
    usr/share/locale/en/LC_MESSAGES/picture-cubes.mo usr/share/locale/pl/LC_MESSAGES/picture-cubes.mo \
    usr/share/doc/picture-cubes/copyright \
    usr/share/picture-cubes/media/ele-en.png \
    usr/share/picture-cubes/media/t2.jpg usr/share/picture-cubes/media/CREDITS; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done
echo "the package holds the game, its media, catalogs, menu entry, icons, manual pages and copyright"

case "$(dpkg-deb -f "$deb" Section)" in games) ;; *) fail "section is not games" ;; esac
depends=$(dpkg-deb -f "$deb" Depends)
for library in liballegro5.2 liballegro-image5.2 liballegro-ttf5.2 liballegro-audio5.2 \
    liballegro-acodec5.2 liballegro-dialog5.2; do
    echo "$depends" | grep -q "\(^\|, \)$library " || fail "no dependency on $library: $depends"
done
echo "section games; depends on the Allegro runtime packages"

desktop-file-validate "$root/usr/share/applications/picture-cubes.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
# Both speak English, and Polish merged in from the catalogs.
grep -qx 'Name=Picture Cubes' "$root/usr/share/applications/picture-cubes.desktop" &&
    grep -qx 'Name\[pl\]=Obrazkowe klocki' "$root/usr/share/applications/picture-cubes.desktop" ||
    fail "the menu entry is not named in English and Polish"
grep -q '<name xml:lang="pl">Obrazkowe klocki</name>' "$root"/usr/share/metainfo/*.metainfo.xml ||
    fail "the AppStream data has no Polish name"

for page in man6 pl/man6; do
    file="$root/usr/share/man/$page/picture-cubes.6.gz"
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page $page draws warnings: $warnings"
done
text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/usr/share/man/man6/picture-cubes.6.gz" 2>/dev/null)
for section in NAME SYNOPSIS DESCRIPTION "HOW TO PLAY" LEAVING ENVIRONMENT FILES "EXIT STATUS"; do
    echo "$text" | grep -q "^$section\$" || fail "the manual page has no $section section"
done
echo "man -l renders both pages, the English one with all its sections"

# Lintian complains when run as root; that complaint is no finding.
status=0
findings=$(lintian --fail-on error,warning "$deb" 2>&1) || status=$?
echo "$findings" | grep -v "running with root privileges" || true
[ "$status" -eq 0 ] || fail "lintian reports errors or warnings"
echo "lintian: no errors, no warnings"
echo "PASS"
