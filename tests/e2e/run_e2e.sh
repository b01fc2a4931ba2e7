#!/usr/bin/env bash
# The real program, end to end, as its user meets it: a fresh copy of the application folder on a
# private X server with a tray (trayer), a POP3 server (Dovecot) on a free loopback port, and a
# dial-up line simulated from outside the program. A left click on the tray icon dials; the line
# comes up; the floating window opens connected, the programs of even1.ini start, the mail window
# lists the server's messages, the counters count and are saved; the allowance runs out and the
# program hangs up with its message; the line goes down, the programs of even2.ini start and the
# windows close, and historique.csv holds the connection; quitting from the tray menu saves and
# leaves the line as it is; killed during a connection, the program loses no more of its history
# than of its month time; "Afficher le graphique" opens the graph's window.
#
# The line: in private mount and network namespaces a tmpfs stands for /sys/class/net and another
# for /run; the stand-in pon first on the PATH makes ppp0 there, and a real interface of that name
# hidden behind the tmpfs so that the kernel tells of it, and starts a stand-in pppd. This needs
# root (CI runs as root); without it the test says so and is skipped (exit code 77).
#
# Usage: run_e2e.sh <application folder> <e2e_files helper> <screenshot folder>
set -euo pipefail

SKIP=77
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 3 ] || { echo "usage: $0 APP_FOLDER E2E_FILES SCREENSHOT_FOLDER" >&2; exit 2; }
app_built=$(cd "$1" && pwd)
files_helper=$2
shots=$3

# ---- outside the namespace: can the test run at all? -------------------------------------------
if [ -z "${CHRONOLIEN_E2E_INSIDE:-}" ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "SKIPPED: the simulated line needs root (a private mount namespace with tmpfs over /sys/class/net and /run)"
        exit $SKIP
    fi
    for tool in unshare ip Xvfb trayer xdotool xwininfo xprop import convert compare setsid; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
            exit $SKIP
        fi
    done
    if ! unshare -m -n --propagation private true 2>/dev/null; then
        echo "SKIPPED: unshare refused to make private mount and network namespaces here"
        exit $SKIP
    fi
    for program in chronolien graph; do
        [ -x "$app_built/$program" ] || { echo "FAILED: $app_built/$program is missing" >&2; exit 1; }
    done
    exec unshare -m -n --propagation private env CHRONOLIEN_E2E_INSIDE=1 "$0" "$@"
fi

# ---- inside the namespace ----------------------------------------------------------------------
work=$(mktemp -d /tmp/chronolien-e2e.XXXXXX)
chmod 755 "$work"
mkdir -p "$shots"
shots=$(cd "$shots" && pwd)
rm -f "$shots"/*.png
trace="$work/trace"
: >"$trace"
pids=()
step="preparing"
program_pid=""

cleanup() {
    local status=$?
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    # The stand-in pppd, when it still runs.
    if [ -f /run/ppp0.pid ]; then
        kill "$(head -n1 /run/ppp0.pid)" 2>/dev/null || true
    fi
    stop_and_tidy "$status"
}
trap cleanup EXIT

fail() {
    echo "FAILED at step \"$step\": $*" >&2
    import -window root "$shots/failure.png" 2>/dev/null || true
    echo "---- line trace" >&2
    cat "$trace" >&2 || true
    echo "---- program output (last lines)" >&2
    tail -n 30 "$work/chronolien.log" >&2 2>/dev/null || true
    echo "---- Dovecot log (last lines)" >&2
    tail -n 15 "${dovecot_log:-/dev/null}" >&2 2>/dev/null || true
    echo "Screenshot of the moment: $shots/failure.png" >&2
    exit 1
}

# shellcheck source=../support/steps.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/steps.sh"
# shellcheck source=../support/x_windows.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/x_windows.sh"

setting() { "$files_helper" setting "$app/config.ini" "$@"; }
# The connections of historique.csv, "start end seconds received sent" a line; fails unless the
# whole file reads.
history() { "$files_helper" history "$app/historique.csv"; }
# Two times in seconds at most 3 s apart.
within_3s() { [ $(($1 - $2)) -le 3 ] && [ $(($2 - $1)) -le 3 ]; }
shot() { import -window root "$shots/$1.png" || fail "import could not take the screenshot $1"; }

# The normalised root-mean-square difference (0 to 1) between two pictures of the same size.
difference() {
    local out
    out=$(compare -metric RMSE "$1" "$2" null: 2>&1 || true)
    echo "$out" | sed -n 's/.*(\(.*\)).*/\1/p'
}
# Cuts a window's area ("id width height x y") out of a screenshot.
crop_window() {
    local shot=$1 geometry=$2 out=$3
    read -r _ w h x y <<<"$geometry"
    convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$out"
}
# Cuts the same area out of a skin picture, padded to the window's size.
crop_picture() {
    local picture=$1 w=$2 h=$3 out=$4
    convert "$picture" -background black -extent "${w}x${h}" "$out"
}
less_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# Window sizes in pixels (15 twips to the pixel): floating, counter and mail windows.
centre_size=(76 67)
counter_size=(124 59)
mail_size=(196 81)

# ---- the simulated line ------------------------------------------------------------------------
begin "simulated line: tmpfs over /sys/class/net and /run, stand-ins pon and pppd on the PATH"
# The network namespace is the test's own: loopback for the POP3 server, and the stand-ins' real
# interface, which makes the kernel tell the program of a change as pppd's does.
ip link set lo up || fail "cannot bring the namespace's loopback up"
mount -t tmpfs chronolien-net /sys/class/net || fail "cannot mount a tmpfs over /sys/class/net"
mount -t tmpfs chronolien-run /run || fail "cannot mount a tmpfs over /run"
mkdir -p "$work/bin"
cp "$here/pon" "$here/pppd" "$work/bin/"
chmod 755 "$work/bin/pon" "$work/bin/pppd"
export CHRONOLIEN_E2E_TRACE="$trace"
[ -z "$(ls -A /sys/class/net)" ] || fail "the tmpfs over /sys/class/net is not empty"

# ---- the X server and the tray -----------------------------------------------------------------
begin "X server (Xvfb) and tray host (trayer)"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
# A plain grey desktop, so that the screenshots show the windows.
xsetroot -solid '#5a6e82' 2>/dev/null || true
trayer --edge top --align right --widthtype request --height 32 --SetDockType true \
    --transparent false >"$work/trayer.log" 2>&1 &
pids+=($!)
wait_for 10 sh -c 'xwininfo -root -tree | grep -q "\"panel\""' || fail "trayer's panel did not appear"

# ---- the POP3 server ---------------------------------------------------------------------------
begin "POP3 server (Dovecot) on a free loopback port, two messages for alice"
"$files_helper" pop3-server >"$work/pop3-server" 2>"$work/pop3-server.err" &
pop3_pid=$!
pids+=("$pop3_pid")
deadline=$((SECONDS + 20))
until [ -s "$work/pop3-server" ]; do
    if ! kill -0 "$pop3_pid" 2>/dev/null; then
        status=0
        wait "$pop3_pid" || status=$?
        if [ $status -eq 3 ]; then
            echo "SKIPPED: no POP3 server can run here: $(cat "$work/pop3-server.err")"
            exit $SKIP
        fi
        fail "Dovecot did not start: $(cat "$work/pop3-server.err")"
    fi
    [ $SECONDS -lt $deadline ] || fail "Dovecot did not start within 20 s"
    sleep 0.2
done
read -r pop3_server dovecot_log <"$work/pop3-server"
echo "   $pop3_server"

# ---- a fresh application folder, prepared as its user would have set it up ---------------------
begin "fresh application folder with config.ini, courrier.ini, even1.ini, even2.ini"
app="$work/app"
mkdir -p "$app"
cp -a "$app_built/chronolien" "$app_built/graph" "$app_built/libchronolien_network.so" "$app_built/skin" \
    "$app_built/sons" "$app_built/doc" "$app/"
# A small allowance of 25 seconds that hangs up when it runs out; mail checked at connection.
setting forfait Vrai
setting cpt_mois 0
setting cpt_limite 25
setting alerte2 Vrai
setting courrier Vrai
setting affiche_auto 01000
"$files_helper" account "$app/courrier.ini" 1 "$pop3_server" alice secret1 || fail "cannot write courrier.ini"
mkdir -p "$work/hooks"
for list in 1 2; do
    cat >"$work/hooks/even$list.sh" <<EOF
#!/bin/sh
date +%s >>"$work/hooks/even$list.ran"
EOF
    chmod 755 "$work/hooks/even$list.sh"
    printf '"%s"\r\n' "$work/hooks/even$list.sh" >"$app/even$list.ini"
done

# ---- start ---------------------------------------------------------------------------------------
begin "start the program; its icon in the tray"
runtime="$work/runtime"
mkdir -m 700 "$runtime"
PATH="$work/bin:$PATH" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb \
    "$app/chronolien" >"$work/chronolien.log" 2>&1 &
program_pid=$!
wait_for 30 has_tray_icon || fail "no icon was embedded in the tray"
wait_for 5 tray_icon_shows_the_dial || fail "the tray icon does not show the dial"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended at start"
[ "$(setting courrier)" = "Vrai" ] || fail "config.ini lost the prepared key courrier"
# "01000" opens nothing at start: the floating window waits for the line.
sleep 1
has_window_of_size "${centre_size[@]}" && fail "the floating window opened before the line came up"
[ -z "$(ls -A /sys/class/net)" ] || fail "a line came up before anyone dialled"
shot 01-demarrage

# ---- dial ---------------------------------------------------------------------------------------
begin "left click on the tray icon dials (pon)"
click_tray_icon 1
wait_for 5 grep -q '^pon ' "$trace" || fail "the left click did not start pon"
wait_for 5 grep -q '^pppd up ' "$trace" || fail "the stand-in pppd did not bring ppp0 up"
pppd_pid=$(head -n1 /run/ppp0.pid)
[ "$(cat "/proc/$pppd_pid/comm")" = pppd ] || fail "the stand-in dialler is not listed as pppd"

begin "the next tick sees the line up: the floating window opens with its connected picture"
wait_for 5 has_window_of_size "${centre_size[@]}" || fail "the floating window did not open"
wait_for 5 has_window_of_size "${counter_size[@]}" || fail "the counter window did not open beside it"
sleep 0.5
shot 02-connecte
centre=$(window_of_size "${centre_size[@]}")
crop_window "$shots/02-connecte.png" "$centre" "$work/centre.png"
crop_picture "$app/skin/jupiter/centre.jpg" "${centre_size[@]}" "$work/up.png"
crop_picture "$app/skin/jupiter/centre2.jpg" "${centre_size[@]}" "$work/down.png"
# The connect button's area, where the two pictures differ most.
for picture in centre up down; do
    convert "$work/$picture.png" -crop 36x30+24+27 +repage "$work/$picture-button.png"
done
to_up=$(difference "$work/centre-button.png" "$work/up-button.png")
to_down=$(difference "$work/centre-button.png" "$work/down-button.png")
echo "   connect button vs connected picture $to_up, vs disconnected picture $to_down"
less_than "$to_up" 0.02 && less_than 0.05 "$to_down" \
    || fail "the floating window does not show its connected picture"

begin "the programs of even1.ini start"
wait_for 5 test -s "$work/hooks/even1.ran" || fail "the program of even1.ini did not run"
[ ! -e "$work/hooks/even2.ran" ] || fail "the program of even2.ini ran at connection"

begin "the mail check lists the server's two messages in the mail window"
wait_for 15 grep -q 'pop3(alice).*top=2/' "$dovecot_log" \
    || fail "the server never saw the program read the headers of both messages"
grep -q 'pop3(alice).*del=0/2' "$dovecot_log" || fail "the check deleted mail on the server"
wait_for 5 has_window_of_size "${mail_size[@]}" || fail "the mail window did not open with the mail"
[ "$("$files_helper" account-state "$app/courrier.ini" 1)" = 1 ] \
    || fail "the account's state in courrier.ini is not OK after the check"
sleep 0.5
shot 03-courrier
mail=$(window_of_size "${mail_size[@]}")
crop_window "$shots/03-courrier.png" "$mail" "$work/mail.png"
crop_picture "$app/skin/jupiter/mail.jpg" "${mail_size[@]}" "$work/mail-bare.png"
# The first two lines of the list, and the third, which stays empty.
convert "$work/mail.png" -crop 140x30+27+9 +repage "$work/lines.png"
convert "$work/mail-bare.png" -crop 140x30+27+9 +repage "$work/lines-bare.png"
convert "$work/mail.png" -crop 140x12+27+42 +repage "$work/line3.png"
convert "$work/mail-bare.png" -crop 140x12+27+42 +repage "$work/line3-bare.png"
written=$(difference "$work/lines.png" "$work/lines-bare.png")
empty=$(difference "$work/line3.png" "$work/line3-bare.png")
echo "   text on the first two lines $written, on the third $empty"
less_than 0.03 "$written" || fail "the mail window's first two lines are empty"
less_than "$empty" 0.03 || fail "the mail window shows a third line for two messages"

begin "the tray menu offers to hang up"
click_tray_icon 3
sleep 1
shot 04-menu-connecte
xdotool key Escape
sleep 0.5

# ---- counting --------------------------------------------------------------------------------
begin "the counters count and config.ini receives cpt_mois every ten seconds"
counter=$(window_of_size "${counter_size[@]}")
import -window root "$work/count-a.png"
sleep 2.2
import -window root "$work/count-b.png"
crop_window "$work/count-a.png" "$counter" "$work/counter-a.png"
crop_window "$work/count-b.png" "$counter" "$work/counter-b.png"
less_than 0.002 "$(difference "$work/counter-a.png" "$work/counter-b.png")" \
    || fail "the counter window's texts did not change in two seconds"
# Every value config.ini takes while the line is up, with the second it was seen.
saves=()
last=""
deadline=$((SECONDS + 45))
while [ -f /run/ppp0.pid ] && [ $SECONDS -lt $deadline ]; do
    value=$(setting cpt_mois)
    if [ "$value" != "$last" ]; then
        saves+=("$SECONDS:$value")
        last=$value
    fi
    sleep 0.25
done
echo "   cpt_mois seen in config.ini (second:value): ${saves[*]}"
[ ${#saves[@]} -ge 3 ] || fail "config.ini did not receive cpt_mois at least twice while connected (${saves[*]})"
for ((i = 2; i < ${#saves[@]}; i++)); do
    gap=$((${saves[i]%%:*} - ${saves[i - 1]%%:*}))
    grow=$((${saves[i]##*:} - ${saves[i - 1]##*:}))
    [ $gap -ge 8 ] && [ $gap -le 12 ] || fail "saves of cpt_mois came $gap s apart (${saves[*]})"
    [ $grow -ge 8 ] && [ $grow -le 12 ] || fail "cpt_mois grew by $grow between two saves (${saves[*]})"
done

# ---- the allowance runs out --------------------------------------------------------------------
begin "the allowance runs out: the program hangs up (SIGTERM to pppd) and says so once"
wait_for 10 grep -q '^pppd SIGTERM ' "$trace" || fail "the stand-in pppd received no SIGTERM"
wait_for 5 test '!' -e /sys/class/net/ppp0 || fail "ppp0 is still there after the hang-up"
wait_for 5 eval '[ -n "$(message_boxes)" ]' || fail "no message box told of the hang-up"
shot 05-forfait-expire
# Three more ticks: neither another SIGTERM nor a second box.
sleep 3
[ "$(grep -c '^pppd SIGTERM ' "$trace")" -eq 1 ] || fail "pppd received more than one SIGTERM"
boxes=$(message_boxes | wc -l)
[ "$boxes" -eq 1 ] || fail "$boxes message boxes are open; the hang-up message shows once"
[ "$(grep -c '^pon ' "$trace")" -eq 1 ] || fail "the program dialled again after the hang-up"

begin "the next tick sees the line down: even2.ini runs and the windows close by the flags"
wait_for 5 test -s "$work/hooks/even2.ran" || fail "the program of even2.ini did not run"
[ "$(wc -l <"$work/hooks/even1.ran")" -eq 1 ] || fail "the program of even1.ini ran more than once"
wait_for 5 eval '! has_window_of_size "${centre_size[@]}"' || fail "the floating window stayed open"
has_window_of_size "${mail_size[@]}" && fail "the mail window stayed open"
has_window_of_size "${counter_size[@]}" && fail "the counter window stayed open"
box=$(message_boxes | head -n1)
xdotool windowfocus --sync "$box" key Return
wait_for 5 eval '[ -z "$(message_boxes)" ]' || fail "the hang-up message did not close on Return"
sleep 1.5
[ -z "$(message_boxes)" ] || fail "the hang-up message came back with the line down"
month=$(setting cpt_mois)

begin "historique.csv holds the connection, its times within 3 s of the line's"
records=$(history) || fail "historique.csv does not read back: $(cat "$app/historique.csv" 2>&1)"
[ "$(wc -l <<<"$records")" -eq 1 ] || fail "historique.csv holds other than one connection: $records"
read -r start end seconds received _ <<<"$records"
up=$(awk '/^pppd up / { print $4; exit }' "$trace")
down=$(awk '/^pppd SIGTERM / { print $4; exit }' "$trace")
echo "   line up at $up and down at $down; recorded: $records; month time $month"
within_3s "$start" "$up" && within_3s "$end" "$down" \
    || fail "the connection's times $start-$end are more than 3 s away from the line's $up-$down"
[ "$seconds" -eq "$month" ] || fail "the history counts $seconds s for the connection, the month counter $month s"
[ "$received" -gt 0 ] || fail "the history counts no bytes received during the connection"

# ---- quit from the tray menu -------------------------------------------------------------------
begin "quit from the tray menu: the program saves and ends"
click_tray_icon 3
sleep 1
shot 06-menu-deconnecte
# "Quitter" is the menu's last entry.
xdotool key Up Return
wait_for 15 sh -c "! kill -0 $program_pid 2>/dev/null" || fail "the program did not end after Quitter"
status=0
wait "$program_pid" || status=$?
program_pid=""
[ $status -eq 0 ] || fail "the program ended with status $status"
[ "$(setting affiche_actu)" = Faux ] || fail "the saved affiche_actu is not Faux after the windows closed"
saved=$(setting cpt_mois)
echo "   cpt_mois after the hang-up $month, after quitting $saved"
[ "$saved" -gt 25 ] || fail "the month time saved at quit ($saved) misses the seconds counted past the allowance"
compgen -G "$runtime/chronolien-*.lock" >/dev/null && fail "the instance lock was left behind"

# ---- killed during a connection ------------------------------------------------------------------
start_program() {
    PATH="$work/bin:$PATH" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb \
        "$app/chronolien" >>"$work/chronolien.log" 2>&1 &
    program_pid=$!
}
begin "start with the line up and kill -9 after a save: the history keeps what config.ini keeps"
# The allowance no longer hangs up, so the line can be held while the program quits.
setting alerte2 Faux
PATH="$work/bin:$PATH" "$work/bin/pon"
wait_for 5 eval '[ "$(grep -c "^pppd up " "$trace")" -eq 2 ]' || fail "the stand-in line did not come up again"
pppd_pid=$(head -n1 /run/ppp0.pid)
before_kill=$(setting cpt_mois)
start_program
wait_for 10 eval '[ "$(wc -l <"$work/hooks/even1.ran")" -eq 2 ]' || fail "the program did not see the line up at start"
wait_for 15 eval '[ "$(setting cpt_mois)" != "$before_kill" ]' || fail "no save of cpt_mois came within 15 s"
sleep 1
kill -9 "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""
at_kill=$(setting cpt_mois)
records=$(history) || fail "historique.csv does not read back after kill -9: $(cat "$app/historique.csv" 2>&1)"
echo "   cpt_mois $before_kill before the start, $at_kill after kill -9; history: $(tr '\n' '|' <<<"$records")"
[ "$(wc -l <<<"$records")" -eq 2 ] || fail "historique.csv does not hold the two connections"
read -r _ _ seconds _ <<<"$(tail -n1 <<<"$records")"
[ "$seconds" -eq $((at_kill - before_kill)) ] \
    || fail "after kill -9 the history counts $seconds s for the connection, config.ini $((at_kill - before_kill)) s"

# ---- the graph ---------------------------------------------------------------------------------
begin "start again: \"Afficher le graphique\" in the floating window's menu opens the graph"
start_program
wait_for 10 eval '[ "$(wc -l <"$work/hooks/even1.ran")" -eq 3 ]' || fail "the program did not see the line up at start"
wait_for 5 has_window_of_size "${centre_size[@]}" || fail "the floating window did not open for the line"
wait_for 30 has_tray_icon || fail "no icon was embedded in the tray"
graph_window() { xdotool search --onlyvisible --name '^Chronolien - Graphique$' 2>/dev/null | head -n1; }
read -r _ _ _ x y <<<"$(window_of_size "${centre_size[@]}")"
# The menu button bt_config, 20 pixels square at 8,4 in the window.
xdotool mousemove $((x + 18)) $((y + 14)) sleep 0.3 click 1
sleep 1
# The menu's name heads it, then "Afficher le compteur", then "Afficher le graphique".
xdotool key Down Down Down Return
wait_for 10 eval '[ -n "$(graph_window)" ]' || fail "no window titled \"Chronolien - Graphique\" opened"
sleep 1
shot 07-graphique
graph_pid=$(xdotool getwindowpid "$(graph_window)")
kill "$graph_pid"

# ---- quitting keeps the line as it is -----------------------------------------------------------
begin "quit with the line up: the line stays up, and the history holds the connection"
sleep 2
click_tray_icon 3
sleep 1
xdotool key Up Return
# The floating window is shown: the program asks whether to hide it instead; "Non" quits.
wait_for 5 eval '[ -n "$(message_boxes)" ]' || fail "quitting with the floating window shown asked nothing"
shot 08-quitter
xdotool windowfocus --sync "$(message_boxes | head -n1)" key n
wait_for 15 sh -c "! kill -0 $program_pid 2>/dev/null" || fail "the program did not end after Non"
status=0
wait "$program_pid" || status=$?
program_pid=""
[ $status -eq 0 ] || fail "the program ended with status $status"
[ "$(grep -c '^pppd SIGTERM ' "$trace")" -eq 1 ] || fail "quitting hung up the line"
kill -0 "$pppd_pid" 2>/dev/null || fail "pppd ended when the program quit"
[ -e /sys/class/net/ppp0 ] || fail "ppp0 went away when the program quit"
[ "$(setting cpt_mois)" -gt "$at_kill" ] || fail "quitting with the line up did not save the month time"
[ "$(setting affiche_actu)" = Vrai ] || fail "quitting did not save the floating window as shown"
records=$(history) || fail "historique.csv does not read back: $(cat "$app/historique.csv" 2>&1)"
[ "$(wc -l <<<"$records")" -eq 3 ] || fail "historique.csv does not hold the three connections: $records"
read -r _ _ seconds _ <<<"$(tail -n1 <<<"$records")"
[ "$seconds" -eq $(($(setting cpt_mois) - at_kill)) ] \
    || fail "quitting saved $seconds s of the connection in the history, $(($(setting cpt_mois) - at_kill)) s in config.ini"

echo "PASSED: end to end; screenshots in $shots"
