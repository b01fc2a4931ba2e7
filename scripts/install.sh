#!/usr/bin/env bash
# Installs Chronolien for daily use, for the current user only (no root needed):
#   ~/.local/lib/chronolien/      the application folder: program, skins, sounds, help page, icon;
#                                 the settings are kept there too, beside the program
#   ~/.local/bin/chronolien       the launcher on the PATH
#   ~/.local/share/applications/chronolien.desktop   the entry in the desktop's menu
#   ~/.config/autostart/chronolien.desktop           with --autostart: start with the session
# Installing again updates the program and its shipped files; the settings (config.ini,
# courrier.ini, even1.ini, even2.ini), skins and sounds of your own are never overwritten.
#
# Usage: scripts/install.sh [--autostart | --no-autostart] [--from APPLICATION_FOLDER]
#   --autostart      also start Chronolien when you log in to the desktop
#   --no-autostart   stop starting it at login (without either, that choice stays as it was)
#   --from FOLDER    install this application folder instead of building one in build/
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

autostart=keep
from=""
while [ $# -gt 0 ]; do
    case $1 in
    --autostart) autostart=on ;;
    --no-autostart) autostart=off ;;
    --from)
        [ $# -ge 2 ] || { echo "--from needs a folder" >&2; exit 2; }
        from=$2
        shift
        ;;
    -h | --help)
        sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'
        exit 0
        ;;
    *)
        echo "Unknown option: $1 (see --help)" >&2
        exit 2
        ;;
    esac
    shift
done

if [ -z "$from" ]; then
    # A release build, as scripts/run.sh makes it.
    "$repo/scripts/install-deps.sh"
    cmake -S "$repo" -B "$repo/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHRONOLIEN_TESTS=OFF \
        -DCHRONOLIEN_BENCH=OFF
    cmake --build "$repo/build"
    from="$repo/build/app"
fi
from=$(cd "$from" && pwd)
[ -x "$from/chronolien" ] || { echo "No program in $from" >&2; exit 1; }

lib="$HOME/.local/lib/chronolien"
bin="$HOME/.local/bin"
applications="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
autostart_dir="${XDG_CONFIG_HOME:-$HOME/.config}/autostart"
manifest="$lib/.installed-files"

mkdir -p "$lib" "$bin" "$applications"

# The shipped files, one path a line relative to the application folder: the uninstaller removes
# these and nothing else, so that whatever the user added to skin/ or sons/ stays.
shipped=$(cd "$from" && find chronolien libchronolien_sound.so skin sons doc icons -type f 2>/dev/null | LC_ALL=C sort)
while IFS= read -r file; do
    mkdir -p "$lib/$(dirname "$file")"
    # Through a new name: a running instance keeps its old executable, and a half-copied file is
    # never taken for the program.
    cp "$from/$file" "$lib/$file.new"
    mv -f "$lib/$file.new" "$lib/$file"
done <<<"$shipped"
printf '%s\n' "$shipped" >"$manifest"

cat >"$bin/chronolien.new" <<EOF
#!/bin/sh
# Starts Chronolien from its application folder, where it keeps its settings.
exec "$lib/chronolien" "\$@"
EOF
chmod 755 "$bin/chronolien.new"
mv -f "$bin/chronolien.new" "$bin/chronolien"

desktop_entry() {
    cat <<EOF
[Desktop Entry]
Type=Application
Version=1.0
Name=Chronolien
GenericName=Compteur de connexion
Comment=Compte le temps de connexion et vérifie le courrier
Exec="$lib/chronolien"
Icon=$lib/icons/chronolien.png
Terminal=false
Categories=Network;Dialup;
Keywords=connexion;forfait;modem;courrier;
StartupNotify=false
EOF
}
desktop_entry >"$applications/chronolien.desktop"

case $autostart in
on)
    mkdir -p "$autostart_dir"
    { desktop_entry; echo "X-GNOME-Autostart-enabled=true"; } >"$autostart_dir/chronolien.desktop"
    ;;
off) rm -f "$autostart_dir/chronolien.desktop" ;;
keep)
    # Bring an existing autostart entry up to date with this install.
    if [ -f "$autostart_dir/chronolien.desktop" ]; then
        { desktop_entry; echo "X-GNOME-Autostart-enabled=true"; } >"$autostart_dir/chronolien.desktop"
    fi
    ;;
esac

if command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$applications" 2>/dev/null || true
fi

echo "Chronolien is installed in $lib"
echo "  launcher:   $bin/chronolien"
echo "  menu entry: $applications/chronolien.desktop"
if [ -f "$autostart_dir/chronolien.desktop" ]; then
    echo "  autostart:  $autostart_dir/chronolien.desktop"
fi
case ":$PATH:" in
*":$bin:"*) ;;
*) echo "Note: $bin is not on your PATH; log in again, or add it to PATH in ~/.profile." ;;
esac
