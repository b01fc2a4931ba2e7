#!/usr/bin/env bash
# Installs what is missing, builds Chronolien with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test. Extra arguments go to ctest (e.g. -R settings_file).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCHRONOLIEN_SANITIZE=ON
cmake --build build-test
cd build-test
ctest --output-on-failure --timeout 600 "$@"
