#!/usr/bin/env bash
# scripts/install.sh and scripts/uninstall.sh in a home folder of their own: the install puts the
# application folder (stripped), the launcher, the icons, the menu entry and the autostart entry
# in place; the program started from the launcher lives in the installed folder and finds its
# files there; installing again keeps the user's settings and skins; uninstalling keeps the
# user's data unless asked.
#
# Usage: test_install.sh <repository> <build folder> <its application folder> <e2e_files helper>
set -euo pipefail
repo=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
app_built=$(cd "$3" && pwd)
files_helper=$4

# A short name: config.ini holds values of at most 60 bytes, and the default sound paths under
# ~/.local/lib/chronolien/sons/ must fit (they do under /home/<name>/ for names of up to 13 letters).
home=$(mktemp -d /tmp/chr.XXXXXX)
program_pid=""
step="preparing"
cleanup() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    rm -rf "$home"
}
trap cleanup EXIT
fail() {
    echo "FAILED at step \"$step\": $*" >&2
    exit 1
}
# shellcheck source=../support/steps.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/steps.sh"

export HOME="$home"
unset XDG_DATA_HOME XDG_CONFIG_HOME
export XDG_RUNTIME_DIR="$home/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
lib="$home/.local/lib/chronolien"
launcher="$home/.local/bin/chronolien"
entry="$home/.local/share/applications/chronolien.desktop"
autostart="$home/.config/autostart/chronolien.desktop"
icons="$home/.local/share/icons/hicolor"

begin "install with --autostart"
# A theme that has an icon cache: the cache must learn the new icon, or menus show none.
if command -v gtk-update-icon-cache >/dev/null; then
    mkdir -p "$icons/48x48/apps"
    cp "$repo/data/icons/chronolien.png" "$icons/48x48/apps/another.png"
    gtk-update-icon-cache -q -t -f "$icons"
fi
"$repo/scripts/install.sh" --autostart --build-dir "$build" >"$home/install.log" || fail "$(cat "$home/install.log")"
for program in chronolien libchronolien_sound.so libchronolien_network.so; do
    [ -f "$lib/$program" ] || fail "no $program in $lib"
    ! readelf -S -W "$lib/$program" | grep -qE ' \.(symtab|debug_[a-z]+) ' || fail "$program is not stripped"
done
for file in skin/jupiter/centre.jpg skin/bois/mail.jpg sons/connect.wav doc/aide.htm icons/chronolien.png; do
    cmp -s "$app_built/$file" "$lib/$file" || fail "$file is not installed"
done
[ "$(readlink -f "$launcher")" = "$lib/chronolien" ] || fail "the launcher $launcher does not lead to the program"
for n in 16 22 24 32 48 64 128 256; do
    icon="$icons/${n}x$n/apps/chronolien.png"
    # A PNG's width and height are the two 32-bit numbers after its signature and chunk header.
    size=$(od -An -tu1 -j16 -N8 "$icon" 2>/dev/null | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
    [ "$size" = "${n}x$n" ] || fail "the ${n}x$n icon is ${size:-missing}"
done
if [ -f "$icons/icon-theme.cache" ]; then
    grep -q chronolien "$icons/icon-theme.cache" || fail "the icon cache does not know the icon"
fi
grep -qx 'Exec="'"$lib"'/chronolien"' "$entry" || fail "the menu entry does not start the installed program"
grep -qx 'Icon=chronolien' "$entry" || fail "the menu entry does not name the icon by its theme name"
grep -qx 'Name=Chronolien' "$entry" || fail "the menu entry's name is not Chronolien"
for key in Name GenericName Comment; do
    grep -q "^$key=" "$entry" && grep -q "^$key\[fr\]=" "$entry" || fail "the menu entry lacks $key or $key[fr]"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" "$autostart" || fail "the entries do not validate"
fi
grep -qx 'X-GNOME-Autostart-enabled=true' "$autostart" || fail "the autostart entry is not enabled"
cmp -s <(grep -vi '^X-[A-Z]*-autostart' "$autostart") "$entry" || fail "the autostart entry differs from the menu entry"
for data in config.ini courrier.ini even1.ini even2.ini; do
    [ ! -e "$lib/$data" ] || fail "the install wrote $data"
done

begin "the launcher starts the program in the installed folder"
QT_QPA_PLATFORM=offscreen "$launcher" >"$home/program.log" 2>&1 &
program_pid=$!
wait_for 30 test -e "$lib/even2.ini" || fail "the program made no settings in $lib: $(cat "$home/program.log")"
wait_for 10 eval '[ -n "$("$files_helper" setting "$lib/config.ini" son_mail)" ]' || fail "config.ini was not written"
# The default sounds name the application folder the program found: the installed one.
for key in son_connect son_deconnect son_mail; do
    sound=$("$files_helper" setting "$lib/config.ini" $key)
    case $sound in "$lib"/sons/*) ;; *) fail "$key is $sound, outside the installed folder" ;; esac
    [ -f "$sound" ] || fail "$key names $sound, which is missing"
done
[ "$("$files_helper" setting "$lib/config.ini" nomskin)" = jupiter ] || fail "the default skin is not jupiter"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(cat "$home/program.log")"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""

begin "installing again keeps the user's settings, lists and skins"
"$files_helper" setting "$lib/config.ini" cpt_mois 4242
printf '"/usr/bin/true"\r\n' >"$lib/even1.ini"
printf 'account' >"$lib/courrier.ini"
mkdir -p "$lib/skin/mien" "$lib/certificats"
echo picture >"$lib/skin/mien/centre.jpg"
echo sound >"$lib/sons/mien.wav"
echo certificate >"$lib/certificats/serveur.pem"
printf 'trace\r\n' >"$lib/messages.txt"
printf '2024-01-01;60\r\n' >"$lib/historique.csv"
user_files="config.ini courrier.ini even1.ini even2.ini messages.txt historique.csv skin/mien/centre.jpg sons/mien.wav certificats/serveur.pem"
# shellcheck disable=SC2086 # one word a file
before=$(cd "$lib" && md5sum $user_files)
"$repo/scripts/install.sh" --build-dir "$build" >"$home/install.log" || fail "$(cat "$home/install.log")"
# shellcheck disable=SC2086
[ "$(cd "$lib" && md5sum $user_files)" = "$before" ] || fail "installing again changed the user's files"
[ -f "$autostart" ] || fail "installing again without --autostart dropped the autostart entry"
"$repo/scripts/install.sh" --no-autostart --build-dir "$build" >"$home/install.log"
[ ! -e "$autostart" ] || fail "--no-autostart left the autostart entry"

begin "uninstall keeps the user's data when nobody is asked"
"$repo/scripts/uninstall.sh" </dev/null >"$home/uninstall.log" || fail "$(cat "$home/uninstall.log")"
for gone in "$launcher" "$entry" "$lib/chronolien" "$lib/libchronolien_sound.so" "$lib/libchronolien_network.so" "$lib/skin/jupiter" "$lib/sons/connect.wav" \
    "$lib/doc" "$lib/icons" "$icons/48x48/apps/chronolien.png"; do
    [ ! -e "$gone" ] && [ ! -L "$gone" ] || fail "$gone is still there after uninstalling"
done
# shellcheck disable=SC2086
[ "$(cd "$lib" && md5sum $user_files)" = "$before" ] || fail "uninstalling removed or changed the user's files"

begin "uninstall --purge removes everything"
"$repo/scripts/install.sh" --autostart --build-dir "$build" >"$home/install.log"
"$repo/scripts/uninstall.sh" --purge </dev/null >"$home/uninstall.log"
for gone in "$launcher" "$entry" "$autostart" "$lib"; do
    [ ! -e "$gone" ] && [ ! -L "$gone" ] || fail "$gone is still there after uninstalling with --purge"
done
echo "PASSED"
