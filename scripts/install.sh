#!/usr/bin/env bash
# Installs Chronolien for daily use, for the current user only (no root needed):
#   ~/.local/lib/chronolien/      the application folder: program, its modules, skins, sounds,
#                                 help page, icon; your settings are kept there too, beside it
#   ~/.local/bin/chronolien       the launcher on the PATH (a link to the program)
#   ~/.local/share/icons/hicolor/ the icon, in the icon theme's sizes
#   ~/.local/share/applications/chronolien.desktop   the entry in the desktop's menu
#   ~/.config/autostart/chronolien.desktop           with --autostart: start with the session
# The files under ~/.local are `cmake --install --strip` of a release build; the two entries are
# written here, since they name the installed program by its path. Installing again updates the
# program and its shipped files; your settings (config.ini, courrier.ini, even1.ini, even2.ini)
# and the skins and sounds you added are never overwritten.
#
# Usage: scripts/install.sh [--autostart | --no-autostart] [--build-dir FOLDER]
#   --autostart         also start Chronolien when you log in to the desktop
#   --no-autostart      stop starting it at login (without either, that choice stays as it was)
#   --build-dir FOLDER  install this built tree instead of building a release in build/
# CHRONOLIEN_PACKAGES_ONLY=1 stops after installing the packages the build needs.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

autostart=keep
build=""
while [ $# -gt 0 ]; do
    case $1 in
    --autostart) autostart=on ;;
    --no-autostart) autostart=off ;;
    --build-dir)
        [ $# -ge 2 ] || { echo "--build-dir needs a folder" >&2; exit 2; }
        build=$2
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

if [ -z "$build" ]; then
    "$repo/scripts/install-deps.sh" run
    [ "${CHRONOLIEN_PACKAGES_ONLY:-0}" = 1 ] && exit 0
    build="$repo/build"
    # The release scripts/run.sh makes.
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHRONOLIEN_TESTS=OFF \
        -DCHRONOLIEN_BENCH=OFF -DCHRONOLIEN_WERROR=OFF
    cmake --build "$build"
fi
build=$(cd "$build" && pwd)
[ -f "$build/cmake_install.cmake" ] || { echo "No configured build in $build" >&2; exit 1; }

# Where the build puts things under the prefix (relative to it, or absolute when so configured).
[ -f "$build/install_dirs.txt" ] || { echo "$build has no install rules: configure it again" >&2; exit 1; }
under_prefix() {
    local dir
    dir=$(sed -n "s/^$1=//p" "$build/install_dirs.txt")
    case $dir in /*) echo "$dir" ;; *) echo "$prefix/$dir" ;; esac
}
prefix="$HOME/.local"
lib=$(under_prefix appdir)
bin=$(under_prefix bindir)
icons=$(under_prefix icondir)
applications="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
autostart_dir="${XDG_CONFIG_HOME:-$HOME/.config}/autostart"

cmake --install "$build" --prefix "$prefix" --strip >"$build/install.log" ||
    { cat "$build/install.log" >&2; exit 1; }
# What was installed, for scripts/uninstall.sh: it removes these files and nothing else, so that
# your data and whatever you added to skin/ or sons/ stay.
cp "$build/install_manifest.txt" "$lib/.installed-files"

# A desktop entry's Exec quotes the path: \ " ` $ escaped inside the quotes, and each backslash
# doubled again for the entry's string syntax; % is doubled so it is no field code.
exec_path=$(printf '%s' "$lib/chronolien" | sed 's/\\/\\\\\\\\/g; s/["`$]/\\\\&/g; s/%/%%/g')
desktop_entry() {
    cat <<EOF
[Desktop Entry]
Type=Application
Version=1.0
Name=Chronolien
Name[fr]=Chronolien
GenericName=Connection time counter
GenericName[fr]=Compteur de temps de connexion
Comment=Counts the time spent on a metered line and checks the mail
Comment[fr]=Compte le temps de connexion et vérifie le courrier
Exec="$exec_path"
Icon=chronolien
Terminal=false
Categories=Network;Dialup;
Keywords=connection;metered;modem;mail;
Keywords[fr]=connexion;forfait;modem;courrier;
StartupNotify=false
EOF
}
# At login the program is started once the panel is up, where the session can be told so: in
# gnome-session's phase after the panel and five seconds later, after five seconds in MATE, in
# Plasma's phase after the desktop and panel (and after the panel in older KDE). Other sessions
# start it at once; a tray that appears after the program still gets its icon. No sleep in Exec:
# it would hold the start back on every desktop, the panel already up or not.
autostart_entry() {
    desktop_entry
    cat <<EOF
X-GNOME-Autostart-enabled=true
X-GNOME-Autostart-Phase=Applications
X-GNOME-Autostart-Delay=5
X-MATE-Autostart-Delay=5
X-KDE-autostart-phase=2
X-KDE-autostart-after=panel
EOF
}
mkdir -p "$applications"
desktop_entry >"$applications/chronolien.desktop"
case $autostart in
on)
    mkdir -p "$autostart_dir"
    autostart_entry >"$autostart_dir/chronolien.desktop"
    ;;
off) rm -f "$autostart_dir/chronolien.desktop" ;;
keep)
    # Bring an existing autostart entry up to date with this install.
    if [ -f "$autostart_dir/chronolien.desktop" ]; then
        autostart_entry >"$autostart_dir/chronolien.desktop"
    fi
    ;;
esac

if command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$applications" 2>/dev/null || true
fi
# An icon cache that is there must learn the new icons, or the menus keep showing none. Where
# there is none the desktop reads the folders, and a cache made here would hide the icons other
# programs install later without refreshing it.
if [ -f "$icons/icon-theme.cache" ] && command -v gtk-update-icon-cache >/dev/null; then
    gtk-update-icon-cache -q -t -f "$icons" 2>/dev/null || true
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
