#!/usr/bin/env bash
# Pictures of the configuration dialog on a few of its pages, and one at 1.5 times the text size (the
# font resolution a desktop's text scaling sets), taken on a private X server (Xvfb) of 1024×768,
# into docs/screenshots/. Needs a build in build-test/ (scripts/test.sh makes one), or in the folder
# given as argument.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
cmake --build "$build" --target config_dialog_showcase
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
runtime=$(mktemp -d)
chmod 700 "$runtime"
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" ASAN_OPTIONS=detect_leaks=0
"$build"/tests/config_dialog/config_dialog_showcase docs/screenshots
QT_FONT_DPI=144 "$build"/tests/config_dialog/config_dialog_showcase docs/screenshots large
rm -rf "$runtime"
ls docs/screenshots
