#!/usr/bin/env bash
# A screenshot of the graph program on a generated three-month history with a plan, taken on a
# private Xvfb into docs/screenshots/graph.png.
# Usage: scripts/graph-screenshot.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" --target graph
mkdir -p docs/screenshots

work=$(mktemp -d /tmp/chronolien-graph-XXXXXX)
pids=()
cleanup() {
    # The programs before their X server.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The graph finds its files beside itself: a copy of it in a folder of its own.
cp "$build/app/graph" "$work/"
scripts/make-history.py "$work" --months 3 --hours-per-day 1.6 >/dev/null

source scripts/private-display.sh
start_private_display "$work"

"$work/graph" &
pids+=("$!")
window=""
for _ in $(seq 100); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"Chronolien - Graphique"/ {print $1; exit}')
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the graph's window did not open" >&2; exit 1; }
sleep 1
import -window "$window" docs/screenshots/graph.png
echo docs/screenshots/graph.png
