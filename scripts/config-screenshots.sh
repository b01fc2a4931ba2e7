#!/usr/bin/env bash
# Pictures of the configuration dialog on a few of its pages, taken on a private X server (Xvfb),
# into docs/screenshots/. Needs a build in build-test/ (scripts/test.sh makes one).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build-test --target config_dialog_showcase
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
runtime=$(mktemp -d)
chmod 700 "$runtime"
DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" ASAN_OPTIONS=detect_leaks=0 \
    build-test/tests/config_dialog/config_dialog_showcase docs/screenshots
rm -rf "$runtime"
ls docs/screenshots
