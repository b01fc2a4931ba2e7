#!/usr/bin/env bash
# Screenshots of the floating, counter and mail windows with each shipped skin, the line up and
# down, taken on a private Xvfb into docs/screenshots/<skin>-<connecte|deconnecte>.png.
# Usage: scripts/screenshots.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake -S . -B "$build" -DCHRONOLIEN_TOOLS=ON >/dev/null
cmake --build "$build" --target chronolien_window_gallery app_data
gallery="$build/tools/chronolien_window_gallery"
app_folder="$build/app"
mkdir -p docs/screenshots

# Xvfb writes the number of the display it took on the descriptor it is given.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -nolock 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"
export QT_QPA_PLATFORM=xcb
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime"
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$display_file"; rm -rf "$runtime"' EXIT

for skin in jupiter bois; do
    for state in connecte deconnecte; do
        "$gallery" "$app_folder" "$skin" "$state" "docs/screenshots/$skin-$state.png"
        echo "docs/screenshots/$skin-$state.png"
    done
done
