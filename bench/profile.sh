#!/usr/bin/env bash
# Instruction counts and system calls of Chronolien and of the baseline, which a shared machine's
# load does not blur: callgrind over the start (until START_SECONDS) and over IDLE_SECONDS idle
# with the line down, then strace -c over IDLE_SECONDS idle. Under Xvfb with a tray, like
# run_bench.sh, on the optimised tree in build-bench/ (run run_bench.sh or build it first).
#
#   bench/profile.sh                        # Chronolien, hidden windows
#   PROGRAM=baseline bench/profile.sh       # the tray baseline
#   MODE=windows bench/profile.sh           # Chronolien with affiche_auto "10000"
#   LINE=nm:ligne-test tests/support/nm_sandbox.sh bench/profile.sh   # on a NetworkManager line
#
# The callgrind files stay in the printed folder for callgrind_annotate.
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/app_copy.sh
START_SECONDS=${START_SECONDS:-20}
IDLE_SECONDS=${IDLE_SECONDS:-30}
MODE=${MODE:-tray}
PROGRAM=${PROGRAM:-chronolien}
for tool in Xvfb trayer valgrind callgrind_control strace; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
[ -x build-bench/app/chronolien ] || { echo "build-bench/ is not built" >&2; exit 1; }

out=$(mktemp -d /tmp/chronolien-profile-XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" 2>/dev/null &
pids+=("$!")
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$out/display")"
export XDG_RUNTIME_DIR="$out/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
trayer --edge top --align right --widthtype request --height 32 --SetDockType true --transparent false \
    >/dev/null 2>&1 &
pids+=("$!")
sleep 1

program() {
    if [ "$PROGRAM" = baseline ]; then
        [ "$MODE" = windows ] && echo "$PWD/build-bench/bench/bench_window_baseline" \
            || echo "$PWD/build-bench/bench/bench_tray_baseline"
        return
    fi
    app_copy "$out/app-$1"
}

valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.%p" "$(program callgrind)" >/dev/null 2>&1 &
vg=$!
pids+=("$vg")
sleep "$START_SECONDS"
callgrind_control -d "$vg" >/dev/null   # part 1: the start
callgrind_control -z "$vg" >/dev/null
sleep "$IDLE_SECONDS"
callgrind_control -d "$vg" >/dev/null   # part 2: idle
kill "$vg"
wait "$vg" 2>/dev/null || true

"$(program strace)" >/dev/null 2>&1 &
app=$!
pids+=("$app")
sleep 5
timeout -s INT "$IDLE_SECONDS" strace -c -f -p "$app" -o "$out/strace.txt" || true
kill "$app" 2>/dev/null || true

total() { callgrind_annotate "$1" 2>/dev/null | awk '/PROGRAM TOTALS/ {print $1}'; }
echo "Program: $PROGRAM, mode $MODE, line ${LINE:-pon}; results in $out"
echo "Instructions, start (first ${START_SECONDS} s): $(total "$out"/callgrind.$vg.1)"
echo "Instructions, ${IDLE_SECONDS} s idle: $(total "$out"/callgrind.$vg.2)"
echo "System calls, ${IDLE_SECONDS} s idle (strace -c):"
head -n 25 "$out/strace.txt"
