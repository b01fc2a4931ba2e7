#!/usr/bin/env bash
# Times the graph program's start, from launch to its window's first paint, on a generated
# three-year history, beside the smallest Qt Widgets window (bench/graph_baseline.cpp), both on a
# private Xvfb. Runs alternate between the two; prints each run and the medians.
#
#   bench/run_graph_bench.sh            # 7 runs each
#   RUNS=11 MONTHS=60 PER_DAY=20 bench/run_graph_bench.sh   # longer, busier history
#
# It builds the two programs in its own optimised tree build-bench/ (no sanitizers).
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-7}
MONTHS=${MONTHS:-36}
PER_DAY=${PER_DAY:-2}

command -v Xvfb >/dev/null || { echo "Xvfb is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCHRONOLIEN_TESTS=OFF -DCHRONOLIEN_BENCH=ON >/dev/null
cmake --build build-bench --target graph bench_graph_baseline >&2

work=$(mktemp -d /tmp/chronolien-graph-bench-XXXXXX)
pids=()
cleanup() {
    # The programs before their X server.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The graph reads its files beside itself: a copy of it in a folder with the generated history.
mkdir "$work/app"
cp build-bench/app/graph "$work/app/"
scripts/make-history.py "$work/app" --months "$MONTHS" --per-day "$PER_DAY" >&2
echo "historique.csv: $(wc -l <"$work/app/historique.csv") lines, $(wc -c <"$work/app/historique.csv") bytes" >&2

source scripts/private-display.sh
start_private_display "$work"
# The graph says "first paint" on its debug logging; the baseline says it always.
export QT_LOGGING_RULES="chronolien.graph.debug=true"

now_ns() { date +%s%N; }

# Milliseconds from launch until the program writes its first-paint line.
start_ms() {
    local t0 t1 line
    t0=$(now_ns)
    coproc PROGRAM { exec "$1" 2>&1; }
    local pid=$PROGRAM_PID
    while IFS= read -r -t 20 line <&"${PROGRAM[0]}"; do
        [[ $line == *"first paint"* ]] && break
    done
    t1=$(now_ns)
    [[ $line == *"first paint"* ]] || { echo "no first paint from $1" >&2; exit 1; }
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo $(((t1 - t0) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

graph_runs=()
baseline_runs=()
for ((i = 1; i <= RUNS; i++)); do
    graph_runs+=("$(start_ms "$work/app/graph")")
    baseline_runs+=("$(start_ms build-bench/bench/bench_graph_baseline)")
    echo "run $i: graph ${graph_runs[-1]} ms, baseline ${baseline_runs[-1]} ms" >&2
done
graph=$(printf '%s\n' "${graph_runs[@]}" | median)
baseline=$(printf '%s\n' "${baseline_runs[@]}" | median)
echo "Start to first paint, median of $RUNS: graph $graph ms, baseline $baseline ms"
