#!/usr/bin/env bash
# The real program on today's Linux desktops, each case from a fresh copy of the application folder,
# on a private X server and a private session bus:
#   - with no tray, the floating window opens within 3 s, and "Quitter" at the end of its menu ends
#     the program without the quit question, whose hiding would leave no way back;
#   - a tray that starts 5 s after the program, XEmbed (trayer) or a StatusNotifierItem watcher (the
#     desktop services stand-in, which records the program's registration), gets the icon: named
#     Chronolien, with the month time in its tooltip, and a left click on it dials (a stand-in pon);
#   - a first start from a 70-character folder path stores sound paths that name existing files;
#   - in a Wayland session (weston's headless compositor) with the X server as DISPLAY, the windows
#     appear on the X server; a user's QT_QPA_PLATFORM=wayland, or no X server, makes the program a
#     Wayland client.
#
# Usage: desktop_session.sh <application folder> <e2e_files helper> <desktop services stand-in>
set -euo pipefail

SKIP=77
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 3 ] || { echo "usage: $0 APP_FOLDER E2E_FILES STANDIN" >&2; exit 2; }

if [ -z "${CHRONOLIEN_ON_PRIVATE_BUS:-}" ]; then
    for tool in Xvfb trayer xdotool xwininfo xprop weston dbus-run-session dbus-send; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIPPED: $tool is not installed (scripts/install-deps.sh test installs it)"
            exit $SKIP
        fi
    done
    CHRONOLIEN_ON_PRIVATE_BUS=1 exec dbus-run-session --config-file="$here/../support/session_bus.conf" \
        -- bash "$0" "$@"
fi

app_built=$(cd "$1" && pwd)
files_helper=$2
standin=$3
work=$(mktemp -d /tmp/chronolien-desktop.XXXXXX)
runtime="$work/runtime"
mkdir -m 700 "$runtime"
pids=()
program_pid=""
step="preparing"

cleanup() {
    local status=$?
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    stop_and_tidy "$status"
}
trap cleanup EXIT

fail() {
    echo "FAILED at step \"$step\": $*" >&2
    echo "---- program output (last lines)" >&2
    tail -n 20 "$work/program.log" >&2 2>/dev/null || true
    exit 1
}

# shellcheck source=../support/steps.sh
. "$here/../support/steps.sh"
# shellcheck source=../support/x_windows.sh
. "$here/../support/x_windows.sh"

centre_size=(76 67)
has_floating_window() { has_window_of_size "${centre_size[@]}"; }
milliseconds() { date +%s%3N; }

# A copy of the built application folder at the given path, as a user would put it there.
fresh_folder() {
    mkdir -p "$1"
    cp -a "$app_built/." "$1/"
}
# Starts the program of the folder, with env's options and settings given after the folder.
start_program() {
    local folder=$1
    shift
    env "$@" XDG_RUNTIME_DIR="$runtime" PATH="$work/bin:$PATH" "$folder/chronolien" >>"$work/program.log" 2>&1 &
    program_pid=$!
}
stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}
# The stand-in for Debian's pon, which dialling starts: it notes the call.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho pon >>"%s"\n' "$work/dialled" >"$work/bin/pon"
chmod 755 "$work/bin/pon"
dialled() { [ -s "$work/dialled" ]; }

begin "X server (Xvfb)"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

# ---- no tray ------------------------------------------------------------------------------------
begin "no tray: the floating window opens within 3 s"
fresh_folder "$work/no-tray"
start=$(milliseconds)
start_program "$work/no-tray"
wait_for 10 has_floating_window || fail "no floating window opened"
elapsed=$(($(milliseconds) - start))
echo "   shown after $elapsed ms"
[ "$elapsed" -lt 3000 ] || fail "the floating window took $elapsed ms to open"

begin "no tray: Quitter, last in the floating window's menu, ends the program without a question"
read -r _ _ _ x y <<<"$(window_of_size "${centre_size[@]}")"
# The menu button, bt_config, covers 8,4 to 28,24 in the window.
xdotool mousemove $((x + 18)) $((y + 14)) click 1 sleep 0.5 key Up Return
wait_for 10 sh -c "! kill -0 $program_pid 2>/dev/null" || fail "the program did not end after Quitter (a question left unanswered holds it)"
status=0
wait "$program_pid" || status=$?
program_pid=""
[ $status -eq 0 ] || fail "the program ended with status $status"

# ---- a tray that starts later -------------------------------------------------------------------
begin "XEmbed tray (trayer) 5 s after the program: the icon goes there and a left click dials"
fresh_folder "$work/xembed"
start_program "$work/xembed"
wait_for 10 has_floating_window || fail "no floating window opened without a tray"
sleep 5
trayer --edge top --align right --widthtype request --height 32 --SetDockType true \
    --transparent false >"$work/trayer.log" 2>&1 &
trayer_pid=$!
pids+=("$trayer_pid")
wait_for 10 has_tray_icon || fail "no icon was embedded in the tray"
rm -f "$work/dialled"
click_tray_icon 1
wait_for 5 dialled || fail "a left click on the icon did not dial"
stop_program
kill "$trayer_pid"

begin "StatusNotifierItem watcher 5 s after the program: the icon registers there"
fresh_folder "$work/sni"
start_program "$work/sni"
wait_for 10 has_floating_window || fail "no floating window opened without a tray"
sleep 5
"$standin" --watcher --log "$work/watcher.log" &
watcher_pid=$!
pids+=("$watcher_pid")
wait_for 10 grep -q '^RegisterStatusNotifierItem' "$work/watcher.log" 2>/dev/null \
    || fail "the program did not register its icon with the watcher"
item=$(awk -F'\t' '/^RegisterStatusNotifierItem/ { print $2; exit }' "$work/watcher.log")
bus() { dbus-send --session --print-reply=literal --dest="$@"; }
owner_pid=$(bus org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
    "string:$item" | awk '{ print $2 }')
[ "$owner_pid" = "$program_pid" ] || fail "the item $item registered is not the program's"
property() {
    bus "$item" /StatusNotifierItem org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem \
        "string:$1" | tr -s ' \n' ' ' | sed 's/^ *variant *//; s/ *$//'
}
echo "   Title: $(property Title); ToolTip: $(property ToolTip)"
[ "$(property Title)" = Chronolien ] || fail "the tray names the program $(property Title)"
[[ "$(property ToolTip)" == *'Chronolien Ce mois-ci : '* ]] || fail "the icon lost its tooltip: $(property ToolTip)"
rm -f "$work/dialled"
bus "$item" /StatusNotifierItem org.kde.StatusNotifierItem.Activate int32:10 int32:10 >/dev/null
wait_for 5 dialled || fail "activating the icon (a left click) did not dial"
stop_program
kill "$watcher_pid"

# ---- a long application folder ------------------------------------------------------------------
begin "first start from a 70-character folder path: the sound paths stored name existing files"
long="$work/"
long+=$(printf 'd%.0s' $(seq $((70 - ${#long}))))
[ ${#long} -eq 70 ] || fail "the folder path has ${#long} characters"
fresh_folder "$long"
start_program "$long" QT_QPA_PLATFORM=offscreen
# even2.ini is written once every setting is.
wait_for 10 test -e "$long/even2.ini" || fail "the first start wrote no even2.ini"
for key in son_connect son_deconnect son_mail; do
    value=$("$files_helper" setting "$long/config.ini" "$key")
    case $value in
    /*) file=$value ;;
    *) file="$long/$value" ;;
    esac
    echo "   $key = $value"
    [ -f "$file" ] || fail "$key = \"$value\" names no file"
done
stop_program

# ---- Wayland --------------------------------------------------------------------------------------
begin "Wayland session: weston's headless compositor"
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket=chronolien-wayland --idle-time=0 \
    >"$work/weston.log" 2>&1 &
pids+=($!)
wait_for 10 test -S "$runtime/chronolien-wayland" || fail "weston did not start: $(tail -n 5 "$work/weston.log")"
session=(XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=chronolien-wayland WAYLAND_DEBUG=client)
# WAYLAND_DEBUG has the client library trace the program's requests to the compositor.
talks_to_compositor() { grep -q 'wl_display@1' "$work/program.log"; }

begin "Wayland session with an X server: the windows appear on the X server"
: >"$work/program.log"
fresh_folder "$work/wayland-x"
start_program "$work/wayland-x" "${session[@]}"
wait_for 10 has_floating_window || fail "the floating window did not appear on the X server"
talks_to_compositor && fail "the program talked to the compositor"
stop_program

begin "Wayland session, the user chose QT_QPA_PLATFORM=wayland: a Wayland client"
: >"$work/program.log"
fresh_folder "$work/wayland-chosen"
start_program "$work/wayland-chosen" "${session[@]}" QT_QPA_PLATFORM=wayland
wait_for 10 talks_to_compositor || fail "the program did not connect to the compositor"
sleep 1
[ -z "$(program_windows)" ] || fail "the program showed windows on the X server"
stop_program

begin "Wayland session without an X server: a Wayland client"
: >"$work/program.log"
fresh_folder "$work/wayland-only"
start_program "$work/wayland-only" -u DISPLAY "${session[@]}"
wait_for 10 talks_to_compositor || fail "the program did not connect to the compositor"
kill -0 "$program_pid" || fail "the program ended"
stop_program

echo "PASSED: desktop session"
