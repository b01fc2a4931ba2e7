#!/usr/bin/env bash
# Removes what scripts/install.sh put in place: the menu and autostart entries and the files the
# install listed (the program and its shipped files in ~/.local/lib/chronolien/, the launcher, the
# icons). Your data in the application folder (config.ini, courrier.ini, even1.ini, even2.ini,
# messages.txt, historique.csv, certificats/, skins and sounds you added) is removed only when you
# say so: asked on a terminal, kept otherwise, removed without asking with --purge.
#
# Usage: scripts/uninstall.sh [--purge | --keep-data]
set -euo pipefail

data=ask
case ${1:-} in
"") ;;
--purge) data=remove ;;
--keep-data) data=keep ;;
-h | --help)
    sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'
    exit 0
    ;;
*)
    echo "Unknown option: $1 (see --help)" >&2
    exit 2
    ;;
esac

prefix="$HOME/.local"
lib="$prefix/lib/chronolien"
applications="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
autostart_dir="${XDG_CONFIG_HOME:-$HOME/.config}/autostart"
manifest="$lib/.installed-files"

for exe in /proc/[0-9]*/exe; do
    if [ "$(readlink "$exe" 2>/dev/null)" = "$lib/chronolien" ]; then
        echo "Note: Chronolien is running from $lib; quit it from its tray menu, or it saves its settings there again."
        break
    fi
done

rm -f "$applications/chronolien.desktop" "$autostart_dir/chronolien.desktop"
if command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$applications" 2>/dev/null || true
fi

if [ -f "$manifest" ]; then
    while IFS= read -r file || [ -n "$file" ]; do
        # Only plain paths under the prefix, whatever the list holds; a relative one (as older
        # installs listed them) is inside the application folder.
        case $file in
        "" | *..*) continue ;;
        "$prefix"/*) ;;
        /*) continue ;;
        *) file="$lib/$file" ;;
        esac
        rm -f "$file"
    done <"$manifest"
    rm -f "$manifest"
fi
# The launcher script of installs that listed only the application folder's files.
if [ -f "$prefix/bin/chronolien" ] && grep -qF "exec \"$lib/chronolien\"" "$prefix/bin/chronolien"; then
    rm -f "$prefix/bin/chronolien"
fi
icons="$prefix/share/icons/hicolor"
[ -d "$icons" ] && find "$icons" -mindepth 1 -depth -type d -empty -delete
if [ -f "$icons/icon-theme.cache" ] && command -v gtk-update-icon-cache >/dev/null; then
    gtk-update-icon-cache -q -t -f "$icons" 2>/dev/null || true
fi
# Folders the shipped files left empty.
for folder in skin sons doc icons; do
    [ -d "$lib/$folder" ] && find "$lib/$folder" -depth -type d -empty -delete
done
[ -d "$lib" ] && rmdir "$lib" 2>/dev/null || true

if [ -d "$lib" ]; then
    if [ $data = ask ]; then
        if [ -t 0 ]; then
            echo "Your settings and data are still in $lib:"
            ls -A "$lib" | sed 's/^/  /'
            read -r -p "Remove them too? [y/N] " answer
            case $answer in [yYoO]*) data=remove ;; *) data=keep ;; esac
        else
            data=keep
        fi
    fi
    if [ $data = remove ]; then
        rm -rf "$lib"
        echo "Chronolien and its data are removed."
    else
        echo "Chronolien is removed; your settings and data are kept in $lib"
        echo "(scripts/uninstall.sh --purge removes them)."
    fi
else
    echo "Chronolien is removed."
fi
