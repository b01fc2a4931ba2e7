#!/usr/bin/env bash
# Measures Chronolien beside a minimal Qt tray program with a one-second timer, both under Xvfb with
# a tray (trayer): time from start to the tray icon's registration, resident memory after start,
# and CPU time per minute while idle with the line down. Prints each figure and the ratio.
#
#   bench/run_bench.sh            # 5 start-up runs each, 60 s of idle CPU each
#   RUNS=3 IDLE_SECONDS=30 bench/run_bench.sh
#   MODE=windows bench/run_bench.sh
#   LINE=nm:ligne-test tests/support/nm_sandbox.sh bench/run_bench.sh
#
# MODE=windows starts Chronolien with its floating and counter windows shown (affiche_auto "10000"
# in config.ini before the start) beside a baseline that also shows a small always-on-top window
# whose two labels change every second (bench/window_baseline.cpp).
#
# LINE sets config.ini's "ligne" before the start: nm:<name> makes Chronolien follow that
# NetworkManager connection (down, as the sandbox's ligne-test is) instead of the dial-up line.
#
# It builds its own optimised tree in build-bench/ (no sanitizers). The machine's line must be down
# (no PPP interface), which is the case on machines without a modem.
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/app_copy.sh
RUNS=${RUNS:-5}
IDLE_SECONDS=${IDLE_SECONDS:-60}
SETTLE_SECONDS=${SETTLE_SECONDS:-3}
MODE=${MODE:-tray}
case "$MODE" in
tray | windows) ;;
*) echo "MODE is tray or windows" >&2; exit 1 ;;
esac

for tool in Xvfb trayer xwininfo; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCHRONOLIEN_TESTS=OFF -DCHRONOLIEN_BENCH=ON >/dev/null
cmake --build build-bench >&2

work=$(mktemp -d /tmp/chronolien-bench-XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A private X server and tray.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=("$!")
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
trayer --edge top --align right --widthtype request --height 32 --SetDockType true --transparent false \
    >/dev/null 2>&1 &
pids+=("$!")
sleep 1

# The number of icons embedded in trayer's panel.
tray_icons() {
    xwininfo -root -tree 2>/dev/null | awk '/"panel"/{p=1; next} p && /0x/ && !/1x1/ {n++} END {print n+0}'
}

now_ns() { date +%s%N; }

# One start: prints "<ms to icon> <RSS kB after settling>" and leaves the process running in $started_pid.
start_and_measure() {
    local program=$1 before t0 t1 pid
    before=$(tray_icons)
    t0=$(now_ns)
    "$program" >/dev/null 2>&1 &
    pid=$!
    started_pid=$pid
    while [ "$(tray_icons)" -le "$before" ]; do
        kill -0 "$pid" 2>/dev/null || { echo "program ended before showing its icon" >&2; exit 1; }
        t1=$(now_ns)
        [ $(( (t1 - t0) / 1000000 )) -lt 20000 ] || { echo "no tray icon after 20 s" >&2; exit 1; }
        sleep 0.005
    done
    t1=$(now_ns)
    sleep "$SETTLE_SECONDS"
    echo "$(( (t1 - t0) / 1000000 )) $(awk '/VmRSS/{print $2}' /proc/$pid/status)"
}

# CPU time in nanoseconds of every thread of a process (the scheduler's count, finer than clock ticks).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{n += $1} END {printf "%d", n}'; }

stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    for _ in $(seq 200); do [ "$(tray_icons)" -eq 0 ] && break; sleep 0.05; done
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# program label: prints "<median ms> <median RSS kB> <CPU ms per minute>"
measure() {
    local label=$1 make_program=$2 times=() rss=() i program out ns0 ns1
    for ((i = 1; i <= RUNS; i++)); do
        program=$($make_program "$i")
        export XDG_RUNTIME_DIR="$work/runtime-$label-$i"
        mkdir -p -m 700 "$XDG_RUNTIME_DIR"
        # Not in a subshell: the started process must stay known here.
        start_and_measure "$program" >"$work/start"
        out=$(cat "$work/start")
        times+=("${out% *}")
        rss+=("${out#* }")
        if [ "$i" -eq "$RUNS" ]; then
            ns0=$(cpu_ns "$started_pid")
            sleep "$IDLE_SECONDS"
            ns1=$(cpu_ns "$started_pid")
            cpu=$(awk -v d=$((ns1 - ns0)) -v s="$IDLE_SECONDS" 'BEGIN {printf "%.2f", d / 1e6 * 60 / s}')
        fi
        stop "$started_pid"
    done
    echo "$(printf '%s\n' "${times[@]}" | median) $(printf '%s\n' "${rss[@]}" | median) $cpu"
}

# Each Chronolien run starts from a fresh copy of its application folder, as a first start.
chronolien_copy() {
    app_copy "$work/app-$1"
}
baseline_program() {
    if [ "$MODE" = windows ]; then
        echo "$PWD/build-bench/bench/bench_window_baseline"
    else
        echo "$PWD/build-bench/bench/bench_tray_baseline"
    fi
}

echo "Mode $MODE, line ${LINE:-pon}; load before: $(uptime)" >&2
echo "Measuring the baseline ($RUNS starts, ${IDLE_SECONDS} s idle)..." >&2
read -r base_ms base_rss base_cpu < <(measure baseline baseline_program)
echo "Measuring Chronolien ($RUNS starts, ${IDLE_SECONDS} s idle)..." >&2
read -r app_ms app_rss app_cpu < <(measure chronolien chronolien_copy)

echo "Load after: $(uptime)" >&2
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
printf '%-34s %12s %12s %7s\n' "" "Chronolien" "baseline" "ratio"
printf '%-34s %12s %12s %7s\n' "start to tray icon (ms, median)" "$app_ms" "$base_ms" "$(ratio "$app_ms" "$base_ms")"
printf '%-34s %12s %12s %7s\n' "resident memory after start (kB)" "$app_rss" "$base_rss" "$(ratio "$app_rss" "$base_rss")"
printf '%-34s %12s %12s %7s\n' "CPU per idle minute (ms)" "$app_cpu" "$base_cpu" "$(ratio "$app_cpu" "$base_cpu")"
